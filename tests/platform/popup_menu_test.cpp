#include "popup_menu.h"

#include "widget_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

class PopupMenuTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        TestWindow& window = OpenTestWindow(
            With<WindowRecord>([&](auto& r) { r.visible = false; }), [](Window& w) {
                w.AddControl<PopupMenu>("SectionButton", With<PopupMenuRecord>([&](auto& r) {
                    r.place = At("SectionButton", 10, 430, 105, 20);
                }).Encode());
            });
        popup = &window.Find<PopupMenu>("SectionButton");
        popup->OnChange([this](PopupMenu& p) { changes.push_back(p.ListIndex()); });
    }

    QComboBox& Combo() const { return *static_cast<QComboBox*>(popup->widget()); }

    PopupMenu* popup = nullptr;
    std::vector<Integer> changes;
};

} // namespace

TEST_F(PopupMenuTest, AddingAndDeletingRowsRaisesNoChange)
{
    EXPECT_EQ(popup->ListIndex(), 0 - 1);
    for (const char* row : { "T1", "T2", "Entire Pool", "Current Exam" })
        popup->AddRow(row);
    EXPECT_EQ(popup->ListCount(), 4);
    EXPECT_EQ(popup->ListIndex(), -1) << "adding rows selects nothing";
    EXPECT_EQ(Combo().currentIndex(), -1);
    popup->SetListIndex(3);
    popup->AddRow("More");
    EXPECT_EQ(popup->ListIndex(), 3);
    popup->DeleteAllRows();
    EXPECT_EQ(popup->ListIndex(), -1);
    EXPECT_EQ(popup->ListCount(), 0);
    EXPECT_EQ(changes, std::vector<Integer> { 3 });
}

TEST_F(PopupMenuTest, SettingListIndexFromCodeRaisesChangeOnce)
{
    for (const char* row : { "T1", "T2", "Current Exam" })
        popup->AddRow(row);
    popup->SetListIndex(2);
    EXPECT_EQ(changes, std::vector<Integer> { 2 });
    EXPECT_EQ(popup->Text(), "Current Exam");
    EXPECT_EQ(Combo().currentIndex(), 2);
    popup->SetListIndex(2);
    EXPECT_EQ(changes.size(), 1u) << "no change, no event";
    popup->SetListIndex(7);
    EXPECT_EQ(popup->ListIndex(), -1);
    EXPECT_EQ(popup->Text(), "");
    EXPECT_EQ(changes, (std::vector<Integer> { 2, -1 }));
}

TEST_F(PopupMenuTest, UsersChoiceRaisesChangeLikeCode)
{
    for (const char* row : { "T1", "T2" })
        popup->AddRow(row);
    Combo().setCurrentIndex(1);
    emit Combo().activated(1);
    EXPECT_EQ(popup->ListIndex(), 1);
    EXPECT_EQ(changes, std::vector<Integer> { 1 });
    popup->Choose(0);
    EXPECT_EQ(changes, (std::vector<Integer> { 1, 0 }));
    EXPECT_THROW(popup->Choose(2), OutOfBoundsException);
}

// A closed pop-up menu changes only when the user picks a row from it: a
// wheel turn over it or a key that would step through its rows must leave the
// selection alone.
TEST_F(PopupMenuTest, WheelAndArrowKeysOverTheClosedMenuChangeNothing)
{
    for (const char* row : { "T1", "T2", "Entire Pool", "Current Exam" })
        popup->AddRow(row);
    popup->SetListIndex(3);
    changes.clear();

    const QPointF middle(Combo().width() / 2.0, Combo().height() / 2.0);
    for (const int delta : { 120, -120, 240 }) {
        QWheelEvent wheel(middle, Combo().mapToGlobal(middle), QPoint(), QPoint(0, delta),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&Combo(), &wheel);
    }
    for (const int key : { Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp,
             Qt::Key_PageDown, Qt::Key_T }) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_T ? "T" : "");
        QApplication::sendEvent(&Combo(), &press);
        Combo().hidePopup();
    }
    EXPECT_EQ(popup->ListIndex(), 3);
    EXPECT_EQ(Combo().currentIndex(), 3);
    EXPECT_TRUE(changes.empty());
}

// Held modifiers make no difference to those keys; Alt+Down and F4 still open
// the list.
TEST_F(PopupMenuTest, ArrowKeysWithModifiersOverTheClosedMenuChangeNothing)
{
    for (const char* row : { "T1", "T2", "Entire Pool", "Current Exam" })
        popup->AddRow(row);
    popup->SetListIndex(1);
    changes.clear();

    const std::vector<std::pair<int, Qt::KeyboardModifiers>> keys {
        { Qt::Key_Down, Qt::ShiftModifier },
        { Qt::Key_Down, Qt::ControlModifier },
        { Qt::Key_Up, Qt::MetaModifier },
        { Qt::Key_Up, Qt::AltModifier },
        { Qt::Key_Up, Qt::ShiftModifier | Qt::KeypadModifier },
        { Qt::Key_End, Qt::ControlModifier },
        { Qt::Key_Home, Qt::ShiftModifier },
        { Qt::Key_PageDown, Qt::MetaModifier | Qt::ShiftModifier },
    };
    for (const auto& [key, modifiers] : keys) {
        SCOPED_TRACE(
            "key " + std::to_string(key) + " with modifiers " + std::to_string(modifiers.toInt()));
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&Combo(), &press);
        Combo().hidePopup();
        EXPECT_EQ(popup->ListIndex(), 1);
        EXPECT_EQ(Combo().currentIndex(), 1);
    }
    EXPECT_TRUE(changes.empty());

    for (const auto& [key, modifiers] :
        { std::pair { Qt::Key_Down, Qt::AltModifier }, std::pair { Qt::Key_F4, Qt::NoModifier } }) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&Combo(), &press);
        EXPECT_TRUE(Combo().view()->isVisible()) << "key " << key << " opens the list";
        Combo().hidePopup();
    }
    EXPECT_TRUE(changes.empty());
}

TEST_F(PopupMenuTest, RowsAreReadBackExactly)
{
    popup->AddRow("caf\xC3\xA9");
    EXPECT_EQ(popup->List(0), "caf\xC3\xA9");
    EXPECT_EQ(Combo().itemText(0), QStringLiteral(u"café"));
    EXPECT_THROW(popup->List(1), OutOfBoundsException);
    EXPECT_THROW(popup->List(-1), OutOfBoundsException);
}

TEST_F(PopupMenuTest, InitialValueGivesRowsSeparatedByReturns)
{
    TestWindow& window
        = OpenTestWindow(With<WindowRecord>([&](auto& r) { r.visible = false; }), [](Window& w) {
              w.AddControl<PopupMenu>("Other", With<PopupMenuRecord>([&](auto& r) {
                  r.initialValue = "A\rB\rC";
                  r.listIndex = 1;
              }).Encode());
          });
    PopupMenu& other = window.Find<PopupMenu>("Other");
    EXPECT_EQ(other.ListCount(), 3);
    EXPECT_EQ(other.List(2), "C");
    EXPECT_EQ(other.ListIndex(), 1);
}

TEST_F(PopupMenuTest, FractionalTextSizeIsKept)
{
    popup->SetTextSize(13.0f);
    EXPECT_EQ(popup->TextSize(), 13.0f);
    EXPECT_NEAR(DrawnPixelSize(*popup), 13.0, 1e-6);
}
