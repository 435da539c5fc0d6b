#include "user_actions.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QWindow>

#include <unordered_map>

namespace {

constexpr int kShowTimeoutMs = 5000;

QString Describe(const QWidget* widget)
{
    QString text = QString::fromLatin1(widget->metaObject()->className());
    if (!widget->objectName().isEmpty())
        text += QLatin1Char(' ') + widget->objectName();
    if (auto* window = widget->window(); !window->windowTitle().isEmpty())
        text += QLatin1String(" in \"") + window->windowTitle() + QLatin1Char('"');
    return text;
}

bool IsSelfOrAncestor(const QWidget* candidate, const QWidget* widget)
{
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (w == candidate)
            return true;
    }
    return false;
}

} // namespace

void Settle(int ms)
{
    QApplication::processEvents();
    QTest::qWait(ms);
    QApplication::processEvents();
}

bool WaitUntilShown(QWidget* top)
{
    if (top == nullptr)
        return false;
    if (!QTest::qWaitForWindowExposed(top, kShowTimeoutMs))
        return false;
    Settle();
    return top->isVisible();
}

bool Activate(QWidget* top)
{
    top->raise();
    top->activateWindow();
    return QTest::qWaitForWindowActive(top, kShowTimeoutMs);
}

void Click(QWidget* widget)
{
    ClickAt(widget, widget->rect().center());
}

void ClickAt(QWidget* widget, QPoint local)
{
    QWidget* top = widget->window();
    const QPoint inWindow = widget->mapTo(top, local);
    // A person clicks what is drawn at that spot: make sure it is the widget.
    QWidget* under = top->childAt(inWindow);
    if (under != nullptr && under != widget && !IsSelfOrAncestor(widget, under)) {
        ADD_FAILURE() << "clicking " << Describe(widget).toStdString() << " would hit "
                      << Describe(under).toStdString() << " instead";
        return;
    }
    if (!widget->isVisible() || top->windowHandle() == nullptr) {
        ADD_FAILURE() << Describe(widget).toStdString() << " is not on the screen";
        return;
    }
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
    Settle();
}

void DoubleClickRow(QTableView* table, int row)
{
    const QModelIndex index = table->model()->index(row, 0);
    table->scrollTo(index);
    Settle();
    const QRect cell = table->visualRect(index);
    if (!table->viewport()->rect().contains(cell.center())) {
        ADD_FAILURE() << "row " << row << " is not in view";
        return;
    }
    // What the window system delivers for a double-click: a click, then the
    // second press as a double-click event, then its release.
    QWidget* viewport = table->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, cell.center());
    Settle();
}

void PressKey(QWidget* top, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(top->windowHandle(), key, modifiers);
    Settle();
}

QAbstractItemView* OpenPopup(QComboBox* popup)
{
    Click(popup);
    QAbstractItemView* rows = popup->view();
    if (!QTest::qWaitFor([rows] { return rows->isVisible(); }, kShowTimeoutMs))
        return nullptr;
    Settle();
    return rows;
}

void PressKeyInPopup(QAbstractItemView* rows, Qt::Key key)
{
    // Keys go to the open pop-up's window, whatever has the focus elsewhere.
    QTest::keyClick(rows->window()->windowHandle(), key);
    Settle();
}

void ClickPopupRow(QAbstractItemView* rows, int row)
{
    const QModelIndex index = rows->model()->index(row, 0);
    rows->scrollTo(index);
    // A pop-up ignores a release that comes within a double-click time of its
    // opening (the release of the click that opened it).
    Settle(QApplication::doubleClickInterval() + 50);
    const QPoint spot = rows->visualRect(index).center();
    QTest::mouseMove(rows->viewport(), spot);
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, Qt::NoModifier, spot);
    Settle();
}

bool ChooseMenuItem(QMenuBar* bar, const QString& menuTitle, const QString& itemText)
{
    QAction* title = nullptr;
    for (QAction* action : bar->actions()) {
        if (action->text().remove(QLatin1Char('&')) == menuTitle)
            title = action;
    }
    if (title == nullptr) {
        ADD_FAILURE() << "no menu \"" << menuTitle.toStdString() << "\" in the bar";
        return false;
    }
    ClickAt(bar, bar->actionGeometry(title).center());
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr || !QTest::qWaitForWindowExposed(menu, kShowTimeoutMs)) {
        ADD_FAILURE() << "the menu \"" << menuTitle.toStdString() << "\" did not open";
        return false;
    }
    Settle(QApplication::doubleClickInterval() + 50);
    for (QAction* action : menu->actions()) {
        if (action->text().remove(QLatin1Char('&')) != itemText)
            continue;
        if (!action->isEnabled()) {
            ADD_FAILURE() << "\"" << itemText.toStdString() << "\" is disabled";
            return false;
        }
        const QPoint spot = menu->actionGeometry(action).center();
        QTest::mouseMove(menu, spot);
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, spot);
        Settle();
        return true;
    }
    ADD_FAILURE() << "no item \"" << itemText.toStdString() << "\" in the menu";
    return false;
}

QImage GrabFromScreen(QWidget* top)
{
    // Without a window manager only activation restacks a window; raising
    // alone leaves it under the others. An open pop-up belongs in the picture
    // of its window, so that window stays as it is.
    if (QApplication::activePopupWidget() == nullptr)
        Activate(top);
    Settle(100);
    QScreen* screen = top->screen();
    if (screen == nullptr)
        return {};
    return screen->grabWindow(top->winId()).toImage();
}

std::string BlanknessOf(const QImage& image)
{
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        return "the picture is empty";
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    std::unordered_map<QRgb, long> counts;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            ++counts[line[x]];
    }
    if (counts.size() < 2)
        return "the picture has one colour";
    long background = 0;
    for (const auto& [colour, count] : counts)
        background = std::max(background, count);
    const long total = static_cast<long>(pixels.width()) * pixels.height();
    // Text and lines cover well above this on every window of the program.
    constexpr double kLeastDrawnShare = 0.005;
    const double drawn = static_cast<double>(total - background) / static_cast<double>(total);
    if (drawn < kLeastDrawnShare)
        return "only " + std::to_string(drawn * 100.0)
            + "% of the picture differs from its background";
    return {};
}

long DifferingPixels(const QImage& first, const QImage& second)
{
    if (first.size() != second.size())
        return -1;
    const QImage a = first.convertToFormat(QImage::Format_RGB32);
    const QImage b = second.convertToFormat(QImage::Format_RGB32);
    long differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* lineA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lineB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            differing += lineA[x] != lineB[x] ? 1 : 0;
    }
    return differing;
}
