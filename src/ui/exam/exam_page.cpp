#include "ui/exam/exam_page.h"

#include "core/bank/data_files.h"
#include "core/bank/picture_store.h"
#include "core/exam/exam_journal.h"
#include "core/files/file_io.h"
#include "ui/exam/question_screen.h"
#include "ui/exam/result_screen.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollArea>
#include <QStackedLayout>

namespace quz::examui {

namespace {

// How often the countdown is redrawn; the time itself comes from the
// session's clock, so the interval only sets how soon a new second shows.
constexpr int kTickMs = 200;

} // namespace

ExamPage::ExamPage(const Services &services, const exam::MonotonicClock &clock,
                   record::Recorder &recorder, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_clock(&clock)
    , m_recording(recorder)
    , m_nextSeed(QRandomGenerator::global()->generate())
{
    startScreen = new StartScreen(this);
    questionScreen = new QuestionScreen(this);
    resultScreen = new ResultScreen(this);
    m_screens = new QStackedLayout(this);
    // The start screen's lines wrap; at a small window its end scrolls
    // instead of being cut off.
    auto *startArea = new QScrollArea(this);
    startArea->setWidget(startScreen);
    startArea->setWidgetResizable(true);
    startArea->setFrameShape(QFrame::NoFrame);
    startArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_screens->addWidget(startArea);
    m_screens->addWidget(questionScreen);
    m_screens->addWidget(resultScreen);
    questionScreen->questionView->setPlaceholderPath(
        m_services.dataPath(bank::placeholderFileName()));
    // The chooser of quz's journal window, so that both save alike.
    m_chooser.title = QStringLiteral("Укажите файл.");
    m_chooser.filter = QStringLiteral("Ошибки QUZ|*.quz");
    m_chooser.defaultSuffix = QStringLiteral("quz");
    m_tick.setInterval(kTickMs);

    connect(startScreen, &StartScreen::startClicked, this, &ExamPage::startExam);
    connect(questionScreen, &QuestionScreen::answered, this, &ExamPage::answer);
    connect(questionScreen, &QuestionScreen::finishClicked, this, &ExamPage::askFinish);
    connect(questionScreen->questionView, &question::QuestionView::pictureUnreadable, this,
            &ExamPage::pictureUnreadable);
    connect(resultScreen, &ResultScreen::saveClicked, this, &ExamPage::saveErrors);
    connect(resultScreen, &ResultScreen::newExamClicked, this, &ExamPage::newExam);
    connect(&m_tick, &QTimer::timeout, this, &ExamPage::tick);

    readFolder(m_services.programDir);
    startScreen->setNotices(folderNotices(), m_bankProblem.isEmpty());
}

// The question file must be read for any exam; the comments and the
// pictures only make it richer.
void ExamPage::readFolder(const QString &programDir)
{
    const QString questions = QDir(programDir).filePath(bank::questionFileName());
    if (!files::isFile(questions)) {
        m_bankProblem = QStringLiteral("В папке программы нет файла вопросов %1: экзамен начать "
                                       "нельзя.")
                            .arg(bank::questionFileName());
    } else if (const Status read = m_bank.loadFile(questions); !read) {
        m_bankProblem = QStringLiteral("Файл вопросов %1 не прочитан, экзамен начать нельзя: %2")
                            .arg(bank::questionFileName(), read.error());
    }
    m_commentsRead = m_comments.loadFile(QDir(programDir).filePath(bank::commentFileName())).ok();
    m_picturesInstalled =
        files::isFile(QDir(programDir).filePath(bank::samplePictureRelativePath()));
}

QStringList ExamPage::folderNotices() const
{
    QStringList lines;
    if (!m_bankProblem.isEmpty())
        lines << m_bankProblem;
    if (!m_commentsRead)
        lines << commentsNotice();
    if (!m_picturesInstalled)
        lines << picturesNotice();
    return lines;
}

QString ExamPage::commentsNotice() const
{
    return QStringLiteral("Файл комментариев %1 не прочитан: к ошибкам не будет комментариев.")
        .arg(bank::commentFileName());
}

QString ExamPage::picturesNotice() const
{
    return QStringLiteral("Картинки к билетам не найдены (нет файла %1): вопросы будут без "
                          "рисунков.")
        .arg(bank::samplePictureRelativePath());
}

const exam::ExamSession *ExamPage::session() const { return m_session ? &*m_session : nullptr; }

bool ExamPage::isExamRunning() const { return m_session && m_session->isRunning(); }

void ExamPage::setChoice(const ExamChoice &choice) { startScreen->setChoice(choice); }

ExamChoice ExamPage::choice() const { return startScreen->choice(); }

bool ExamPage::startExam()
{
    if (!m_bankProblem.isEmpty())
        return false;
    const ExamChoice chosen = startScreen->choice();
    exam::ExamSetup setup;
    setup.rule = chosen.rule;
    if (!chosen.randomTicket)
        setup.ticket = chosen.ticket;
    setup.seed = m_nextSeed++;
    Outcome<exam::ExamSession> started = exam::ExamSession::start(m_bank, setup, *m_clock);
    if (!started) {
        startScreen->setNotices(folderNotices() << started.error(), true);
        return false;
    }
    m_session.emplace(std::move(started).value());
    m_recording.started(*m_session);
    m_startedAt = m_services.clock->nowText();
    m_unreadablePictures.clear();
    showScreen(Screen::Question);
    showCurrentQuestion();
    questionScreen->setFocus();
    m_tick.start();
    emit examRunningChanged(true);
    return true;
}

void ExamPage::answer(int digit)
{
    if (!isExamRunning())
        return;
    const size_t asked = static_cast<size_t>(m_session->position() - 1);
    const exam::Change change = m_session->answer(digit);
    if (change != exam::Change::None)
        m_recording.answered(*m_session, asked);
    follow(change);
}

void ExamPage::tick()
{
    if (!isExamRunning()) {
        m_tick.stop();
        return;
    }
    follow(m_session->update());
    if (isExamRunning())
        questionScreen->setRemaining(m_session->remainingText());
}

void ExamPage::askFinish()
{
    if (!isExamRunning())
        return;
    const ConfirmRequest request{
        QStringLiteral("Закончить экзамен сейчас? Вопросы без ответа будут засчитаны как ошибки."),
        QStringLiteral("Закончить"), QStringLiteral("Продолжить экзамен")};
    // The time may run out while the question is open; then the result is
    // on screen already and there is nothing left to end.
    if (m_services.dialogs->confirm(this, m_services.title(), request))
        finishExam();
}

void ExamPage::finishExam()
{
    if (isExamRunning())
        follow(m_session->finishEarly());
}

void ExamPage::abandonExam()
{
    if (!isExamRunning())
        return;
    m_session->abandon();
    m_tick.stop();
    m_recording.ended(*m_session);
    emit examRunningChanged(false);
}

void ExamPage::follow(exam::Change change)
{
    switch (change) {
    case exam::Change::None: return;
    case exam::Change::Next:
    case exam::Change::BlocksAdded: showCurrentQuestion(); return;
    case exam::Change::Finished:
        m_recording.ended(*m_session);
        showResult();
        emit examRunningChanged(false);
        return;
    }
}

void ExamPage::showCurrentQuestion()
{
    const exam::ExamQuestion *q = m_session->current();
    if (!q)
        return;
    question::QuestionContent content;
    content.picturePath =
        bank::picturePath(m_services.programDir, q->ticketText(), q->numberText());
    content.text = q->question.text;
    content.variants = q->question.variants;
    questionScreen->showQuestion(content, m_session->progressText());
    questionScreen->setRemaining(m_session->remainingText());
    showQuestionNotices();
}

void ExamPage::showQuestionNotices()
{
    QStringList lines = m_session->notices();
    if (!m_picturesInstalled)
        lines << picturesNotice();
    questionScreen->setNotices(lines + m_unreadablePictures);
}

void ExamPage::pictureUnreadable(const QString &path, const QString &reason)
{
    const QString line = QStringLiteral("Рисунок %1 не читается (%2), вместо него пустое место.")
                             .arg(QDir(m_services.programDir).relativeFilePath(path), reason);
    if (m_unreadablePictures.contains(line))
        return;
    m_unreadablePictures << line;
    if (m_screen == Screen::Question && m_session)
        showQuestionNotices();
}

void ExamPage::showResult()
{
    m_tick.stop();
    QStringList lines = m_session->notices();
    if (!m_commentsRead)
        lines << commentsNotice();
    resultScreen->showResult(*m_session,
                             m_session->wrongAnswers(m_commentsRead ? &m_comments : nullptr),
                             lines + m_unreadablePictures);
    showScreen(Screen::Result);
    resultScreen->newExamButton->setFocus();
}

void ExamPage::saveErrors()
{
    if (!m_session || m_session->isRunning())
        return;
    const std::optional<QString> chosen = m_services.dialogs->openFile(this, m_chooser);
    if (!chosen)
        return;
    m_chooser.initialFile = *chosen;
    if (const Status written = exam::writeErrorJournal(*chosen, *m_session, m_startedAt);
        !written) {
        m_services.dialogs->showFailure(this, m_services.title(),
                                        QStringLiteral("Ошибки не сохранены. ") + written.error());
        return;
    }
    resultScreen->setSaved(QFileInfo(*chosen).absoluteFilePath());
}

void ExamPage::newExam()
{
    m_session.reset();
    startScreen->setNotices(folderNotices(), m_bankProblem.isEmpty());
    showScreen(Screen::Start);
    startScreen->startButton->setFocus();
}

void ExamPage::showScreen(Screen screen)
{
    m_screen = screen;
    m_screens->setCurrentIndex(static_cast<int>(screen));
}

} // namespace quz::examui
