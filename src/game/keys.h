#pragma once
// The keys the game reads, by scancode. The numbers are Allegro's, because
// the live game copies Allegro's key array slot by slot (live_io.cpp checks
// that they agree); everything that only reads the frame's input sample
// needs no Allegro.
constexpr int KeyLetter(char c) { return 1 + (c - 'A'); }  // 'A' to 'Z'
constexpr int KeyDigit(int d) { return 27 + d; }           // the main keyboard's 0 to 9
constexpr int KeyF(int n) { return 46 + n; }               // F1 to F12

constexpr int kKeyF10 = KeyF(10);
constexpr int kKeyF11 = KeyF(11);
constexpr int kKeyEsc = 59;
constexpr int kKeyMinus = 61;
constexpr int kKeyEquals = 62;  // the main keyboard's plus key
constexpr int kKeySpace = 75;
constexpr int kKeyLeft = 82;
constexpr int kKeyRight = 83;
constexpr int kKeyUp = 84;
constexpr int kKeyDown = 85;
constexpr int kKeyMinusPad = 88;
constexpr int kKeyPlusPad = 89;
constexpr int kKeyBackspace = 63;
constexpr int kKeyTab = 64;
constexpr int kKeyEnter = 67;
constexpr int kKeyInsert = 76;
constexpr int kKeyDel = 77;
constexpr int kKeyHome = 78;
constexpr int kKeyEnd = 79;
constexpr int kKeyPgUp = 80;
constexpr int kKeyPgDn = 81;
constexpr int kKeyDelPad = 90;
constexpr int kKeyEnterPad = 91;
constexpr int kKeyLShift = 115;
constexpr int kKeyRShift = 116;
constexpr int kKeyLControl = 117;
constexpr int kKeyRControl = 118;
constexpr int kKeyAlt = 119;
constexpr int kKeyAltGr = 120;
