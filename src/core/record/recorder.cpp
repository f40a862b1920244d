#include "core/record/recorder.h"

#include "core/settings/settings_batch.h"
#include "core/settings/settings_keys.h"

#include <chrono>

namespace quz::record {

namespace {

using Kind = RecordState::Kind;

// A file that could not be opened is tried again after this long (at the
// next job); a busy one at every retry.
constexpr qint64 kReopenAfterMs = 10000;
constexpr auto kRetryAfter = std::chrono::milliseconds(1000);

QString offText() { return QStringLiteral("Запись ответов выключена."); }

} // namespace

Recorder::Recorder(Options options, QObject *parent)
    : QObject(parent)
    , m_options(std::move(options))
{
    m_state = RecordState{Kind::Starting, QStringLiteral("Файл истории открывается…"),
                          QDateTime::currentDateTime()};
    push(Task([this](Store *store) {
        if (store && !ensureOpen() && state().kind == Kind::Busy)
            return Step::Retry;
        return Step::Done;
    }));
    m_thread = std::thread([this] { run(); });
}

Recorder::~Recorder()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

bool Recorder::recordAnswer(const Answer &answer)
{
    if (!isRecordable(answer))
        return false;
    push(answer);
    return true;
}

bool Recorder::recordExam(Exam exam)
{
    if (exam.ticket < 1 || exam.ticket > kTickets)
        return false;
    push(std::move(exam));
    return true;
}

std::future<std::vector<ImportReport>> Recorder::addJournals(std::vector<JournalFile> files)
{
    auto promise = std::make_shared<std::promise<std::vector<ImportReport>>>();
    std::future<std::vector<ImportReport>> result = promise->get_future();
    push(Task([this, promise, files = std::move(files)](Store *store) {
        if (store && !ensureOpen() && state().kind == Kind::Busy)
            return Step::Retry;
        std::vector<ImportReport> reports;
        const QDateTime now = QDateTime::currentDateTime();
        for (const JournalFile &file : files) {
            if (store && store->isOpen()) {
                reports.push_back(store->importJournal(file, now));
                continue;
            }
            ImportReport refused;
            refused.name = file.name;
            refused.failure = state().text;
            reports.push_back(refused);
        }
        promise->set_value(std::move(reports));
        emit historyChanged();
        return Step::Done;
    }));
    return result;
}

std::future<Status> Recorder::clearHistory()
{
    auto promise = std::make_shared<std::promise<Status>>();
    std::future<Status> result = promise->get_future();
    push(Task([this, promise](Store *store) {
        if (store && !ensureOpen() && state().kind == Kind::Busy)
            return Step::Retry;
        if (!store || !store->isOpen()) {
            promise->set_value(Failure{state().text});
            return Step::Done;
        }
        promise->set_value(store->clear(QDateTime::currentDateTime()));
        emit historyChanged();
        return Step::Done;
    }));
    return result;
}

void Recorder::reloadSwitch()
{
    push(Task([this](Store *store) {
        if (store)
            readSwitch();
        return Step::Done;
    }));
}

bool Recorder::waitForWrites(int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    const quint64 target = m_handed;
    return m_progress.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [&] { return m_finished >= target; });
}

RecordState Recorder::state() const
{
    const std::lock_guard lock(m_mutex);
    if (!m_enabled && m_state.kind == Kind::Ready)
        return RecordState{Kind::Off, offText(), m_state.when};
    return m_state;
}

bool Recorder::isEnabled() const
{
    const std::lock_guard lock(m_mutex);
    return m_enabled;
}

void Recorder::push(Job job)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_queue.push_back(std::move(job));
        ++m_handed;
    }
    m_wake.notify_one();
}

void Recorder::run()
{
    m_store = std::make_unique<Store>(Store::Options{m_options.databasePath, m_options.program,
                                                     m_options.busyTimeoutMs,
                                                     m_options.sizeLimitBytes, false});
    m_checkDue = std::chrono::steady_clock::now()
                 + std::chrono::milliseconds(m_options.integrityCheckDelayMs);
    readSwitch();
    for (;;) {
        std::unique_lock lock(m_mutex);
        const auto ready = [&] { return !m_queue.empty() || m_stopping; };
        if (m_checkPending)
            m_wake.wait_until(lock, m_checkDue, ready);
        else
            m_wake.wait(lock, ready);
        if (m_queue.empty() && m_stopping)
            break;
        if (m_queue.empty()) {
            lock.unlock();
            checkIntegrity();
            continue;
        }
        // Elements of a deque stay where they are while others are pushed.
        Job &job = m_queue.front();
        const bool stopping = m_stopping;
        lock.unlock();
        const Step step = perform(job);
        lock.lock();
        if (step == Step::Retry && !stopping) {
            m_wake.wait_for(lock, kRetryAfter, [&] { return m_stopping; });
            continue;
        }
        if (step == Step::Retry) {
            // Stopping, and the file is still held: what is left is given up.
            while (!m_queue.empty()) {
                Job left = std::move(m_queue.front());
                m_queue.pop_front();
                lock.unlock();
                giveUp(left);
                lock.lock();
                ++m_finished;
            }
        } else {
            m_queue.pop_front();
            ++m_finished;
        }
        m_progress.notify_all();
    }
    m_store.reset();
}

void Recorder::checkIntegrity()
{
    m_checkPending = false;
    if (!m_store->isOpen())
        return;
    if (std::optional<RecordState> replaced = m_store->checkIntegrity(QDateTime::currentDateTime()))
        setState(std::move(*replaced));
}

void Recorder::giveUp(Job &job)
{
    if (Task *task = std::get_if<Task>(&job))
        (*task)(nullptr);
}

Recorder::Step Recorder::perform(Job &job)
{
    if (Task *task = std::get_if<Task>(&job))
        return (*task)(m_store.get());
    readSwitch();
    if (!isEnabled())
        return Step::Done;
    if (const Answer *answer = std::get_if<Answer>(&job))
        return write([answer](Store &store) { return store.writeAnswer(*answer); });
    const Exam &exam = std::get<Exam>(job);
    return write([&exam](Store &store) { return store.writeExam(exam); });
}

Recorder::Step Recorder::write(const std::function<Status(Store &)> &write)
{
    if (!ensureOpen())
        return state().kind == Kind::Busy ? Step::Retry : Step::Done;
    Status written = write(*m_store);
    if (!written && m_store->lastTrouble() == Trouble::Damaged) {
        setState(m_store->recover(QDateTime::currentDateTime(), written.error()));
        if (m_store->isOpen())
            written = write(*m_store);
    }
    if (written) {
        if (state().kind != Kind::Ready && state().kind != Kind::Off)
            setState({Kind::Ready, readyText(), QDateTime::currentDateTime()});
        emit historyChanged();
        return Step::Done;
    }
    const Trouble trouble = m_store->lastTrouble();
    if (trouble == Trouble::Busy) {
        setState({Kind::Busy, troubleText(trouble, written.error()), QDateTime::currentDateTime()});
        return Step::Retry;
    }
    setState({Kind::Failed, troubleText(trouble, written.error()), QDateTime::currentDateTime()});
    return Step::Done;
}

bool Recorder::ensureOpen()
{
    if (m_store->isOpen())
        return true;
    const RecordState current = state();
    if (current.kind == Kind::Newer)
        return false;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (current.kind != Kind::Starting && current.kind != Kind::Busy
        && now - m_lastOpenMs < kReopenAfterMs)
        return false;
    m_lastOpenMs = now;
    setState(m_store->open(QDateTime::currentDateTime()));
    return m_store->isOpen();
}

void Recorder::readSwitch()
{
    bool enabled = true;
    if (!m_options.settingsPath.isEmpty()) {
        const files::FileStamp stamp = files::fileStamp(m_options.settingsPath);
        if (stamp == m_settingsStamp && m_settingsStamp.exists)
            return;
        m_settingsStamp = stamp;
        enabled =
            settings::SettingsBatch(m_options.settingsPath).read(settings::keys::recordAnswers);
    }
    bool changed = false;
    {
        const std::lock_guard lock(m_mutex);
        changed = m_enabled != enabled;
        m_enabled = enabled;
    }
    if (changed)
        emit stateChanged();
}

void Recorder::setState(RecordState next)
{
    bool changed = false;
    {
        const std::lock_guard lock(m_mutex);
        changed = next.kind != m_state.kind || next.text != m_state.text;
        if (changed)
            m_state = std::move(next);
    }
    if (changed)
        emit stateChanged();
}

} // namespace quz::record
