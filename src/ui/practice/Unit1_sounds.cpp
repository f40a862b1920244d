// The answer sounds and the sound settings panel that takes the control
// strip's place while it is open.

#include "ui/practice/Unit1.h"

#include "ui/platform/control_state.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace quz::practice {

namespace {

constexpr int kErrorToneHz = 200;
constexpr int kRightToneHz = 700;
constexpr int kToneMs = 100;

} // namespace

void TForm1::errorSound()
{
    if (beepErr->isChecked())
        m_services.sound->tone(kErrorToneHz, kToneMs);
    if (wavOnErr->isChecked())
        m_services.sound->playWav(m_errorWavPath);
}

void TForm1::rightSound()
{
    if (beep->isChecked())
        m_services.sound->tone(kRightToneHz, kToneMs);
    if (wavOn->isChecked())
        m_services.sound->playWav(m_rightWavPath);
}

void TForm1::SpeedButton1Click()
{
    Panel4->hide();
    Panel5->show();
    Panel5->raise();
}

void TForm1::SpeedButton2Click()
{
    Panel5->hide();
    Panel4->show();
}

void TForm1::wavOnErrClick() { sbWavErr->setEnabled(wavOnErr->isChecked()); }

void TForm1::wavOnClick() { sbWav->setEnabled(wavOn->isChecked()); }

void TForm1::setWavPath(QString &path, QLabel *label, const QString &value)
{
    path = value;
    label->setText(value);
}

void TForm1::chooseWav(QString &path, QLabel *label, QToolButton *button, QCheckBox *enabled)
{
    quz::OpenFileRequest request;
    request.title = QStringLiteral("Выберите звуковой файл");
    request.filter = QStringLiteral("WAV|*.wav");
    request.initialFile = path;
    if (const auto chosen = m_services.dialogs->openFile(this, request))
        setWavPath(path, label, *chosen);
    quz::platform::setHint(button, path, quz::platform::Tooltip::Shown);
    if (enabled->isChecked())
        m_services.sound->playWav(path);
}

void TForm1::sbWavErrClick() { chooseWav(m_errorWavPath, wavErr, sbWavErr, wavOnErr); }

void TForm1::sbWavClick() { chooseWav(m_rightWavPath, WavYes, sbWav, wavOn); }

} // namespace quz::practice
