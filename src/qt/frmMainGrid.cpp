// The grid, the code combo Combo1, the focus button Command1 and Edit > Row.
#include "frmMain.h"

#include "GridTableModel.h"
#include "QtText.h"
#include "app/GridClipboard.h"
#include "app/GridEditor.h"
#include "app/RowCommands.h"

#include <QAction>
#include <QApplication>
#include <climits>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

using namespace mardex;

namespace {
// Column widths in twips.
constexpr int ColumnTwips[GridColumns] = {2000, 500, 1500, 1500, 1500, 1500};

// The platform's key-up codes of the keys the grid handles itself.
int KeyUpCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left: return KeyLeft;
    case Qt::Key_Right: return KeyRight;
    case Qt::Key_Up: return KeyUp;
    case Qt::Key_Down: return KeyDown;
    case Qt::Key_Delete: return KeyDelete;
    case Qt::Key_Return:
    case Qt::Key_Enter: return KeyEnter;
    case Qt::Key_Backspace: return KeyBackspace;
    default: return 0;
    }
}
} // namespace

void frmMain::connectGrid()
{
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A block of cells can be selected for the clipboard (Shift+click).
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setTabKeyNavigation(false);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    QHeaderView* columns = grid->horizontalHeader();
    columns->setSectionsClickable(false);
    columns->setDefaultAlignment(Qt::AlignCenter);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    const int dpi = logicalDpiX();
    for (int c = 0; c < GridColumns; ++c) grid->setColumnWidth(c, ColumnTwips[c] * dpi / 1440);

    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
    Combo1->installEventFilter(this);
    Combo1->lineEdit()->installEventFilter(this);
    Command1->installEventFilter(this);

    // A mouse move of the cursor commits nothing: only the current cell follows.
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (syncing_ || destroying_ || !current.isValid()) return;
                GridModel& g = s_->form.grid;
                g.SetRow(current.row() + GridHeaderRows);
                g.SetCol(current.column());
            });
    connect(grid, &QTableView::clicked, this, [this] { run([this] { Grid1_Click(*s_); }); });
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (destroying_) return;
        if (!syncing_) s_->form.grid.NoteTopRow(value + GridHeaderRows);
        if (Combo1->isVisible()) placeCombo1();
    });
    connect(Combo1, &QComboBox::activated, this, [this] {
        s_->form.codeComboText = ToCell(Combo1->currentText());
        run([this] { Combo1_Click(*s_); });
    });
    connect(mnuRowInsert, &QAction::triggered, this, [this] { run("Row Insert", UndoHistory::Kind::Edit, [this] { mnuRowInsert_Click(*s_); }); });
    connect(mnuRowDelete, &QAction::triggered, this, [this] { run("Row Delete", UndoHistory::Kind::Edit, [this] { mnuRowDelete_Click(*s_); }); });
    connect(mnuEditCut, &QAction::triggered, this, [this] { clipboardCommand(ClipboardCommand::Cut); });
    connect(mnuEditCopy, &QAction::triggered, this, [this] { clipboardCommand(ClipboardCommand::Copy); });
    connect(mnuEditPaste, &QAction::triggered, this, [this] { clipboardCommand(ClipboardCommand::Paste); });
    connect(mnuEditSelectAll, &QAction::triggered, this, [this] {
        if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget())) box->selectAll();
        else if (grid->isVisible()) grid->selectAll();
    });
    connect(grid, &QTableView::doubleClicked, this, [this] { Grid1_BeginEdit(*s_); });
    connect(mnuEditUndo, &QAction::triggered, this, [this] {
        history_.Undo(*s_);
        sync();
    });
    connect(mnuEditRedo, &QAction::triggered, this, [this] {
        history_.Redo(*s_);
        sync();
    });
}

// Ctrl+X, Ctrl+C, Ctrl+V (Edit > Cut, Copy, Paste): the grid's selected
// block to and from the clipboard; a text box with the focus acts on its own text.
void frmMain::clipboardCommand(ClipboardCommand command)
{
    if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget()); box && box != Combo1->lineEdit()) {
        if (command == ClipboardCommand::Cut) box->cut();
        else if (command == ClipboardCommand::Copy) box->copy();
        else box->paste();
        return;
    }
    if (!grid->isVisible()) return;
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QModelIndex& index : grid->selectionModel()->selectedIndexes()) {
        top = std::min(top, index.row() + GridHeaderRows);
        bottom = std::max(bottom, index.row() + GridHeaderRows);
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    const bool cut = command == ClipboardCommand::Cut;
    if (command == ClipboardCommand::Copy) {
        if (bottom < 0) return;
        const std::string text = CopyCells(*s_, top, left, bottom, right);
        if (!text.empty()) QGuiApplication::clipboard()->setText(FromCell(text));
        return;
    }
    run(cut ? "Cut" : "Paste", UndoHistory::Kind::Edit, [&] {
        if (cut) {
            if (bottom < 0) return;
            const std::string text = CutCells(*s_, top, left, bottom, right);
            if (!text.empty()) QGuiApplication::clipboard()->setText(FromCell(text));
        } else {
            PasteCells(*s_, ToCell(QGuiApplication::clipboard()->text()));
        }
    });
}

bool frmMain::gridKeyPress(QKeyEvent* event)
{
    // Reached here when no menu shortcut took the key first.
    if (event->matches(QKeySequence::Cut)) return clipboardCommand(ClipboardCommand::Cut), true;
    if (event->matches(QKeySequence::Copy)) return clipboardCommand(ClipboardCommand::Copy), true;
    if (event->matches(QKeySequence::Paste)) return clipboardCommand(ClipboardCommand::Paste), true;
    if (event->matches(QKeySequence::SelectAll)) return grid->selectAll(), true;
    const int key = event->key();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    // Shift+arrows and Shift+PageUp/PageDown extend the selected block as the
    // view does it; the current cell follows without a commit, as with the mouse.
    if ((event->modifiers() & Qt::ShiftModifier) &&
        (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down ||
         key == Qt::Key_PageUp || key == Qt::Key_PageDown))
        return false;
    if (key == Qt::Key_Escape) {
        run("Typing", UndoHistory::Kind::Typing, [this] { Grid1_Escape(*s_); });
        return true;
    }
    if (key == Qt::Key_F2) {
        Grid1_BeginEdit(*s_);
        return true;
    }
    if (key == Qt::Key_PageUp || key == Qt::Key_PageDown || (ctrl && (key == Qt::Key_Home || key == Qt::Key_End))) {
        const int code = key == Qt::Key_PageUp ? KeyPageUp : key == Qt::Key_PageDown ? KeyPageDown : key == Qt::Key_Home ? KeyHome : KeyEnd;
        run([&] { Grid1_PageKey(*s_, code); });
        return true;
    }
    // A modifier pressed alone (Ctrl before C) changes nothing, the selection included.
    if (key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Meta) return true;
    if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier))) {
        focusNextPrevChild(false);  // Shift+Tab leaves the grid
        return true;
    }
    if (key == Qt::Key_Tab) {
        // Tab reaches Command1, which commits like Enter; the focus comes back.
        Command1_GotFocus();
        return true;
    }
    const int shift = (event->modifiers() & Qt::ShiftModifier ? 1 : 0) | (event->modifiers() & Qt::ControlModifier ? 2 : 0) |
                      (event->modifiers() & Qt::AltModifier ? 4 : 0);
    const int upCode = KeyUpCode(key);
    int16_t ascii = 0;
    if (upCode == KeyEnter || upCode == KeyBackspace) {
        ascii = static_cast<int16_t>(upCode);
    } else if (upCode == 0 && event->text().size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const QChar c = event->text().at(0);
        if (c.unicode() >= 32 && c.unicode() < 256) ascii = static_cast<int16_t>(c.unicode());
    }
    run(upCode == KeyDelete ? "Delete" : "Typing", upCode == KeyDelete ? UndoHistory::Kind::Edit : UndoHistory::Kind::Typing, [&] {
        if (upCode == KeyLeft || upCode == KeyRight || upCode == KeyUp || upCode == KeyDown)
            GridControlKeyDown(*s_, upCode);
        if (ascii != 0) Grid1_KeyPress(*s_, ascii);
        Grid1_KeyUp(*s_, upCode, shift);
    });
    return true;
}

void frmMain::syncGrid()
{
    const FormModel& f = s_->form;
    const GridModel& g = f.grid;
    GridModel::Changes changes = s_->form.grid.TakeChanges();
    gridModel_->Apply(changes);
    grid->setVisible(f.GridVisible);
    // A grid that shows no sheet stays enabled and drops the keys itself
    // (the core refuses its edits): disabling it would pass the focus, and
    // the typing, to the next field.
    grid->setEnabled(f.GridEnabled);
    if (changes.topRow || changes.all) grid->verticalScrollBar()->setValue(g.TopRow() - GridHeaderRows);
    if (g.Row() >= GridHeaderRows && (changes.current || changes.rows || changes.all)) {
        const QModelIndex current = gridModel_->index(g.Row() - GridHeaderRows, g.Col());
        // A cell the view already has as current keeps its block (Shift+click,
        // Shift+arrows): only a move made by the core starts a new selection.
        if (current != grid->selectionModel()->currentIndex() || changes.rows || changes.all)
            grid->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
        grid->scrollTo(current, QAbstractItemView::EnsureVisible);
    }
    s_->form.grid.NoteTopRow(grid->verticalScrollBar()->value() + GridHeaderRows);

    if (f.codeComboVisible && f.GridVisible) {
        QStringList items;
        for (const std::string& item : f.codeComboItems) items << FromCell(item);
        QStringList shown;
        for (int i = 0; i < Combo1->count(); ++i) shown << Combo1->itemText(i);
        if (shown != items) {
            Combo1->clear();
            Combo1->addItems(items);
        }
        Combo1->setEditText(FromCell(f.codeComboText));
        placeCombo1();
        Combo1->show();
    } else {
        Combo1->hide();
    }
}

void frmMain::placeCombo1()
{
    const GridModel& g = s_->form.grid;
    if (g.Row() < GridHeaderRows) return;
    const QRect cell = grid->visualRect(gridModel_->index(g.Row() - GridHeaderRows, g.Col()));
    Combo1->setGeometry(cell.x(), cell.y(), std::max(cell.width(), 60), std::max(cell.height(), Combo1->sizeHint().height()));
}

void frmMain::Command1_GotFocus()
{
    run([this] { mardex::Command1_GotFocus(*s_); });
}

bool frmMain::combo1Event(QEvent* event)
{
    if (event->type() != QEvent::FocusOut || !s_->form.codeComboVisible) return false;
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Opening the drop-down list does not leave the combo.
    if (reason == Qt::PopupFocusReason) return false;
    if (Combo1->hasFocus() || Combo1->lineEdit()->hasFocus()) return false;
    s_->form.codeComboText = ToCell(Combo1->currentText());
    run([this] { Combo1_LostFocus(*s_); });
    return false;
}
