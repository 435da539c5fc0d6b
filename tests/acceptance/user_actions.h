#pragma once

#include <QImage>
#include <QPoint>
#include <Qt>

#include <string>

class QAbstractItemView;
class QComboBox;
class QMenu;
class QMenuBar;
class QTableView;
class QWidget;

// What a person does with the mouse and the keyboard, injected with Qt's test
// events into the real windows on the display. Clicks go to the window at the
// widget's place on screen, so they land on whatever is really drawn there: a
// control hidden under another one, or moved off its place, is not clicked.
// Each action lets the program handle its events before it returns; failures
// are reported to the running test.

// Lets the program handle pending events for about ms milliseconds.
void Settle(int ms = 30);

// Waits until the top-level widget is shown and exposed on the display.
bool WaitUntilShown(QWidget* top);
// Makes the window the active one (keyboard shortcuts go to it).
bool Activate(QWidget* top);

// A left click at the centre of the widget (or at a point of it).
void Click(QWidget* widget);
void ClickAt(QWidget* widget, QPoint local);
// A left double-click on a row of a list, through its viewport.
void DoubleClickRow(QTableView* table, int row);
// A key, with modifiers, pressed in the window.
void PressKey(QWidget* top, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Opens a pop-up menu with a click; returns the list of its rows once it is
// shown, nullptr when it did not open.
QAbstractItemView* OpenPopup(QComboBox* popup);
// In an open pop-up: keys pressed in its list window, or a click on a row.
void PressKeyInPopup(QAbstractItemView* rows, Qt::Key key);
void ClickPopupRow(QAbstractItemView* rows, int row);

// Opens a menu of the bar by its title and chooses the item with that text.
bool ChooseMenuItem(QMenuBar* bar, const QString& menuTitle, const QString& itemText);

// The window as the X screen shows it, raised to the front first.
QImage GrabFromScreen(QWidget* top);
// Why the picture looks blank ("" when it does not): a blank picture has a
// single colour, or almost nothing but its most common colour.
std::string BlanknessOf(const QImage& image);
// How many pixels of two pictures of one size differ; -1 when their sizes do.
long DifferingPixels(const QImage& first, const QImage& second);
