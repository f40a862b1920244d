#pragma once
// The small platform layer of the program: everything the forms ask of the
// desktop that a test must be able to replace (dialogs, sound, shell, clock,
// where the program lives). main() creates the real ones; the window tests
// create recording fakes (tests/support/fakes.h).

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace quz {

// What the file-open chooser is asked to show.
struct OpenFileRequest {
    QString title;
    QString filter;        // "label|pattern" pairs joined by '|', e.g. "WAV|*.wav"
    QString defaultSuffix; // without the dot; empty when none
    QString initialFile;   // preset file name, possibly empty
};

// What a question that asks before going ahead shows.
struct ConfirmRequest {
    QString text;
    QString accept; // caption of the button that goes ahead
    QString reject; // caption of the button that leaves things as they are
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Modal box with one text and an OK button.
    virtual void messageBox(QWidget *parent, const QString &title, const QString &text) = 0;
    // Modal box with an error icon; `text` is shown exactly as given.
    virtual void errorBox(QWidget *parent, const QString &title, const QString &text) = 0;
    // Returns the chosen full path, or nothing when the user cancelled.
    // A typed name of a file that does not exist is returned as well.
    virtual std::optional<QString> openFile(QWidget *parent, const OpenFileRequest &request) = 0;
    // Several existing files at once; empty when the user cancelled. This
    // default asks openFile() for one.
    virtual QStringList openFiles(QWidget *parent, const OpenFileRequest &request);
    // Modal question with a question icon and the two buttons of `request`;
    // true only when the user chose `accept`. The reject button is the
    // default one, and closing the box or Escape rejects too.
    virtual bool confirm(QWidget *parent, const QString &title, const ConfirmRequest &request) = 0;

    // Reports a failure that ended an operation: the failure text with a full
    // stop added unless it already ends in a full stop or a lower character.
    void showFailure(QWidget *parent, const QString &title, const QString &failure);
    static QString failureText(const QString &failure);
};

class Sound {
public:
    virtual ~Sound() = default;
    // Sounds a tone and returns when it has ended. Never reports a failure.
    virtual void tone(int frequencyHz, int durationMs) = 0;
    // Starts playing a WAV file and returns at once; a sound still playing is
    // cut off. The path is taken as it stands (also empty). Never throws.
    virtual void playWav(const QString &path) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a link with the desktop's handler; the outcome is ignored.
    virtual void open(const QString &target) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The current local date and time in the user's short date format, one
    // blank and the long time format, as those formats stood at program start.
    virtual QString nowText() const = 0;
};

// Everything the three forms take from outside.
struct Services {
    QString programDir;          // directory of the executable; all data files live here
    QString exePath;             // full path of the executable; the settings file derives from it
    QString commandLineFile;     // first command-line argument, empty when none
    QString *appTitle = nullptr; // the application's title (message boxes, task bar)
    Dialogs *dialogs = nullptr;
    Sound *sound = nullptr;
    Shell *shell = nullptr;
    Clock *clock = nullptr;

    QString title() const { return appTitle ? *appTitle : QString(); }
    // Full path of the settings file: the executable's path with ".ini" as its
    // extension (appended when the executable has none).
    QString settingsPath() const;
    QString dataPath(const QString &fileName) const;
};

} // namespace quz
