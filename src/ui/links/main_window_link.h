#pragma once
// The main window as the comment window uses it. The main window implements
// it; the comment window knows nothing else of it.

namespace quz::links {

class MainWindowLink {
public:
    // Gives the keyboard focus back to the main window.
    virtual void activateMainWindow() = 0;

protected:
    ~MainWindowLink() = default;
};

} // namespace quz::links
