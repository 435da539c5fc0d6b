#include "popup_menu.h"

#include "exceptions.h"
#include "window.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QWheelEvent>

#include <array>

namespace {

constexpr std::array kPopupMenuProperties {
    PropertySpec { "InitialValue", PropertyKind::String },
    PropertySpec { "ListIndex", PropertyKind::Integer },
    PropertySpec { "DataSource", PropertyKind::String },
    PropertySpec { "DataField", PropertyKind::String },
};

// The rows of a stored InitialValue: separated by CR (LF and CRLF read alike).
std::vector<std::string> SplitRows(const std::string& text)
{
    std::vector<std::string> rows;
    if (text.empty())
        return rows;
    std::string row;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            rows.push_back(row);
            row.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            row.push_back(c);
        }
    }
    if (!row.empty())
        rows.push_back(row);
    return rows;
}

// A combo box that, while closed, behaves as a pop-up menu: its selection
// changes only when the user picks a row from the open list. Qt's combo box
// would step through its rows on a wheel turn or an arrow key and report that
// as a choice, switching whatever the menu selects without the user meaning to.
class PopupMenuWidget final : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void wheelEvent(QWheelEvent* event) override
    {
        // Left to the window behind, as over any control that does not scroll.
        event->ignore();
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            // Opens the list, from which a row can then be picked, whatever
            // modifiers are held: with Shift, Ctrl, Alt or Meta the combo box
            // would step to another row too (only Alt+Down opens it there).
            showPopup();
            event->accept();
            return;
        default:
            // Typing would jump to the first row with that letter.
            if (!event->text().isEmpty() && event->text().at(0).isPrint()
                && event->key() != Qt::Key_Space) {
                event->ignore();
                return;
            }
            break;
        }
        QComboBox::keyPressEvent(event);
    }
};

} // namespace

PopupMenu::PopupMenu(Window& window)
    : RectControl(window, new PopupMenuWidget(window.ContentWidget()))
{
    auto* combo = static_cast<QComboBox*>(widget());
    combo->setEditable(false);
    combo->setCurrentIndex(-1);
    QObject::connect(combo, &QComboBox::activated, combo, [this](int index) { Select(index); });
}

void PopupMenu::DeleteAllRows()
{
    auto* combo = static_cast<QComboBox*>(widget());
    const QSignalBlocker blocker(combo);
    rows_.clear();
    combo->clear();
    listIndex_ = -1;
}

void PopupMenu::AddRow(const std::string& text)
{
    auto* combo = static_cast<QComboBox*>(widget());
    const QSignalBlocker blocker(combo);
    rows_.push_back(text);
    combo->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    // The combo box selects the first row added to it; the selection is ours.
    combo->setCurrentIndex(static_cast<int>(listIndex_));
}

Integer PopupMenu::ListCount() const
{
    return static_cast<Integer>(rows_.size());
}

std::string PopupMenu::List(Integer row) const
{
    if (row < 0 || row >= ListCount())
        throw OutOfBoundsException("pop-up menu row " + std::to_string(row) + " outside 0.."
            + std::to_string(ListCount() - 1));
    return rows_[static_cast<std::size_t>(row)];
}

void PopupMenu::SetListIndex(Integer index)
{
    Select(index >= 0 && index < ListCount() ? index : -1);
}

std::string PopupMenu::Text() const
{
    if (listIndex_ < 0 || listIndex_ >= ListCount())
        return {};
    return rows_[static_cast<std::size_t>(listIndex_)];
}

void PopupMenu::Choose(Integer row)
{
    if (row < 0 || row >= ListCount())
        throw OutOfBoundsException("pop-up menu row " + std::to_string(row) + " outside 0.."
            + std::to_string(ListCount() - 1));
    Select(row);
}

void PopupMenu::Select(Integer index)
{
    auto* combo = static_cast<QComboBox*>(widget());
    {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(static_cast<int>(index));
    }
    if (index == listIndex_)
        return;
    listIndex_ = index;
    // From the user or from code alike: one Change per change of selection.
    Deliver([this] {
        if (change_)
            change_(*this);
    });
}

PropertyKind PopupMenu::KindOf(std::string_view name) const
{
    if (const PropertySpec* spec = FindPropertySpec(kPopupMenuProperties, name))
        return spec->kind;
    return RectControl::KindOf(name);
}

void PopupMenu::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "InitialValue") {
        DeleteAllRows();
        for (const std::string& row : SplitRows(StringValue(value)))
            AddRow(row);
    } else if (name == "ListIndex") {
        SetListIndex(IntegerValue(value));
    } else if (FindPropertySpec(kPopupMenuProperties, name) == nullptr) {
        RectControl::SetProperty(name, value);
    }
    // DataSource, DataField: no database binding here.
}
