#pragma once
// The three windows of the program, as they know each other. Each registers
// itself here when it is created, in the order main window, comment window,
// journal window. The secondary windows see the main window only through the
// small interface each of them needs; the main window drives them directly.

class TForm2;
class TForm3;

namespace quz {

class MainWindowLink; // comment/main_window_link.h
class PracticeLink;   // journal/practice_link.h

struct WindowSet {
    // The main window, for the comment window and for the journal window.
    MainWindowLink *mainWindow = nullptr;
    PracticeLink *practice = nullptr;
    TForm2 *Form2 = nullptr;
    TForm3 *Form3 = nullptr;
};

} // namespace quz
