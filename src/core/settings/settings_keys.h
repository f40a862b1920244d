#pragma once
// Every key of the settings file, spelled once: its section, its name and
// the value a reader gets when the key is missing. Each window reads and
// writes its own keys through these constants (SettingsBatch).

#include <cstdint>

namespace quz::settings {

struct IntKey {
    const char *section;
    const char *name;
    int32_t fallback;
};

struct BoolKey {
    const char *section;
    const char *name;
    bool fallback;
};

// Text values; the fallback is plain ASCII.
struct TextKey {
    const char *section;
    const char *name;
    const char *fallback;
};

// A window's outer rectangle, read and written in the order left, top,
// height, width.
struct GeometryKeys {
    IntKey left;
    IntKey top;
    IntKey height;
    IntKey width;
};

// The four values as read, unchecked (any 32-bit numbers).
struct Geometry {
    int32_t left = 0;
    int32_t top = 0;
    int32_t height = 0;
    int32_t width = 0;
};

namespace keys {

// The main window, read at its creation and written at its close, in this order.
inline constexpr GeometryKeys mainWindow{
    {"SCR", "left", 0}, {"SCR", "top", 0}, {"SCR", "height", 472}, {"SCR", "width", 610}};
inline constexpr TextKey ticket{"prg", "nBilet", "01"};
inline constexpr TextKey question{"prg", "nVopros", "01"};
inline constexpr IntKey rangeStart{"prg", "st", 1};
inline constexpr IntKey rangeEnd{"prg", "en", 20};
inline constexpr BoolKey randomOrder{"prg", "rnd", false};
inline constexpr BoolKey autoSize{"prg", "ares", true};
inline constexpr BoolKey rightTone{"prg", "beep", true};
inline constexpr BoolKey errorTone{"prg", "beepErr", true};
inline constexpr BoolKey errorWavOn{"prg", "WavErr", false};
inline constexpr BoolKey rightWavOn{"prg", "WavOn", false};
inline constexpr TextKey rightWavPath{"prog", "WavYes", ""};
inline constexpr TextKey errorWavPath{"prog", "WavErr", ""};
inline constexpr BoolKey autoComment{"prg", "koment", true};
inline constexpr IntKey firstRun{"prg", "first", 1};

// The comment window, read at its creation and written at every hide.
inline constexpr GeometryKeys commentWindow{
    {"SCR", "left2", 0}, {"SCR", "top2", 473}, {"SCR", "height2", 97}, {"SCR", "width2", 800}};

// The journal window, read at its creation and written at every hide.
inline constexpr GeometryKeys journalWindow{
    {"SCR", "left3", 611}, {"SCR", "top3", 0}, {"SCR", "height3", 472}, {"SCR", "width3", 189}};
inline constexpr BoolKey deleteAnswered{"prg", "delErr", true};

// quz-exam, in a section of its own that quz never reads: the rule set by its
// year (2004 or 2016), random or chosen ticket and the chosen number, and the
// window's outer rectangle. Read when quz-exam starts, written when it closes.
inline constexpr IntKey examRule{"exam", "rule", 2016};
inline constexpr BoolKey examRandomTicket{"exam", "randomTicket", true};
inline constexpr IntKey examTicket{"exam", "ticket", 1};
inline constexpr GeometryKeys examWindow{
    {"exam", "left", 120}, {"exam", "top", 60}, {"exam", "height", 560}, {"exam", "width", 720}};

// The learning record of both programs ("Записывать ответы" on the statistics
// page); the record's writer reads it again whenever the file changes.
inline constexpr BoolKey recordAnswers{"record", "enabled", true};

} // namespace keys

} // namespace quz::settings
