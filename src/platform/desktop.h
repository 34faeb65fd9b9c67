#pragma once

#include <QString>

// What the program needs of the window system beyond its own windows.
namespace platform {

// This machine's name on the network: a till's name unless the shop gives
// it another.
QString hostName();

// Application-wide mouse pointers by the numbers the program uses for them:
// 0 the system default, 1 the plain arrow, 14 the arrow with a question mark,
// which means parameter mode is on.
enum Pointer { DefaultPointer = 0, ArrowPointer = 1, QuestionArrowPointer = 14 };
void setPointer(Pointer pointer);
// The pointer the application shows now.
Pointer pointer();

// Screen twips per pixel (15 at 96 dpi).
double twipsPerPixel();
int twipsToPixels(double twips);
double pixelsToTwips(int pixels);
// The primary screen's width, in twips.
double screenWidthTwips();

void beep();

// Qt's own texts (the menus of the fields, the standard dialogs) in French,
// as the program is, whatever the desktop's language. Nothing changes when
// Qt's translations are not installed.
void useFrenchForQtTexts();
// Lets pending window events run once.
void processEvents();

} // namespace platform
