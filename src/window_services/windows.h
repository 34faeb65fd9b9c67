#pragma once

class QWidget;

// The routines the windows call while they open: size and place them on the
// screen, and open the suite's shared file.
namespace window_services {

// 15360 x 11070 twips, centred at the top of the screen, brought to the front.
void placeMainWindow(QWidget *window);
// 12000 x 9000 twips, the same way.
void placeEditor(QWidget *window);
// Its size unchanged: centred across the screen and in the upper 9000 twips.
void placeDialog(QWidget *window);

// "w_cai020.wdo" belongs to the suite's other programs; this program only
// holds it open, shared, from start-up to its end (created empty when
// absent). Returns false when it cannot be opened.
bool openSuiteFile();
void closeSuiteFile();
bool suiteFileIsOpen();

} // namespace window_services
