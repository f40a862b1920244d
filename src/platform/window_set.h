#pragma once
// The three windows of the program. They call each other's operations
// directly; each registers itself here when it is created, in the order
// main window, comment window, journal window.

class TForm1;
class TForm2;
class TForm3;

namespace quz {

struct WindowSet {
    TForm1 *Form1 = nullptr;
    TForm2 *Form2 = nullptr;
    TForm3 *Form3 = nullptr;
};

} // namespace quz
