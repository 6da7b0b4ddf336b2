#include "view/view_controller.h"

#include "merge/merge_model.h"
#include "merge/selection_copy.h"
#include "merge/simple_block.h"
#include "merge/text_editing.h"
#include "merge/xml_clipboard.h"
#include "merge/xml_editing.h"
#include "text/format.h"
#include "translation/translator.h"
#include "view/block_tree_lines.h"
#include "view/caret_model.h"
#include "view/scroll_into_view.h"
#include "view/text_search.h"
#include "xml/node.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>

namespace {

// The keyboard scroll commands, numbered as the window's commands.
enum EScrollCommand : std::uint32_t {
    kLineUp = 32768,
    kLineDown,
    kLeft,
    kRight,
    kPageUp,
    kPageDown,
    kTop,
    kBottom,
};
constexpr int kSidewaysStep = 20;

// The movement command of a key in the view; -1 for other keys.
int MovementOf(int key) {
    switch (key) {
    case Qt::Key_Left:
        return kCaretLeft;
    case Qt::Key_Right:
        return kCaretRight;
    case Qt::Key_Up:
        return kCaretUp;
    case Qt::Key_Down:
        return kCaretDown;
    case Qt::Key_PageUp:
        return kCaretPageUp;
    case Qt::Key_PageDown:
        return kCaretPageDown;
    case Qt::Key_Home:
        return kCaretLineStart;
    case Qt::Key_End:
        return kCaretLineEnd;
    default:
        return -1;
    }
}

QString Translated(const char* key) {
    return QString::fromUtf16(NString::NTranslator::Text(key).Text());
}

// The element a line belongs to, for the context menu's Properties item.
QString ElementNameOf(const CBlockBase* block) {
    const CBlockBase* element = block != nullptr ? block->EnclosingElement() : nullptr;
    if (element == nullptr || !element->IsElementBlock())
        return {};
    const NXML::CNode* node = static_cast<const CSimpleBlock*>(element)->node;
    return node != nullptr ? QString::fromUtf8(node->text.Text()) : QString();
}

} // namespace

CViewController::CViewController(CXMLView& view) : QObject(&view), m_view(view) {
    view.installEventFilter(this);
    connect(&view, &CXMLView::mouseGesture, this, &CViewController::OnMouse);
}

CViewController::~CViewController() = default;

void CViewController::SetModel(CMergeModel* model) {
    m_model = model;
    m_history.Clear();
    m_caret.reset();
    m_lines.reset();
    if (model == nullptr)
        return;
    m_lines = std::make_unique<CBlockTreeLines>(*model);
    m_caret = std::make_unique<CCaretModel>(*m_lines);
}

void CViewController::LinesChanged() {
    if (m_caret == nullptr)
        return;
    m_caret->Clamp();
    Apply(false);
}

void CViewController::Apply(bool scrollToCaret) {
    m_view.SetCaretAndAnchor(m_caret->Caret(), m_caret->Anchor());
    if (!scrollToCaret || !m_caret->Caret().IsSet())
        return;
    SCaretInView caret;
    caret.caretX = m_view.CaretX() - caret.textLeft;
    caret.caretLine = m_caret->Caret().line;
    caret.position = {m_view.HorizontalPosition(), m_view.VerticalPosition()};
    caret.pageWidth = m_view.PageWidth();
    caret.pageHeight = m_view.PageHeight();
    caret.lineHeight = m_view.LineHeight();
    const SScrollPosition position = ScrollIntoView(caret);
    m_view.ScrollToX(position.horizontal);
    m_view.ScrollToY(position.vertical);
}

void CViewController::ShowLines(int firstLine, int lineCount) {
    const int lineHeight = std::max(1, m_view.LineHeight());
    const int pageLines = m_view.PageHeight() / lineHeight;
    m_view.ScrollToY(CentredTopLine(firstLine, lineCount, pageLines) * lineHeight);
}

bool CViewController::Go(bool next, bool conflicts) {
    if (m_model == nullptr)
        return false;
    if (!(next ? m_model->GoNext(conflicts) : m_model->GoPrevious(conflicts)))
        return false;
    ShowCurrentDifference();
    return true;
}

void CViewController::ShowCurrentDifference() {
    const CBlockSelector* current = m_model != nullptr ? m_model->CurrentDifference() : nullptr;
    if (current == nullptr)
        return;
    const auto first = static_cast<int>(current->FirstLine());
    ShowLines(first, static_cast<int>(current->LastLine()) - first + 1);
    m_view.viewport()->update();
}

void CViewController::SelectAll() {
    if (m_caret == nullptr)
        return;
    m_view.setFocus();
    m_caret->SelectAll();
    Apply(false);
}

void CViewController::Scroll(std::uint32_t command) {
    const int lineHeight = m_view.LineHeight();
    const int x = m_view.HorizontalPosition();
    const int y = m_view.VerticalPosition();
    switch (command) {
    case kLineUp:
        m_view.ScrollToY(y - lineHeight);
        break;
    case kLineDown:
        m_view.ScrollToY(y + lineHeight);
        break;
    case kLeft:
        m_view.ScrollToX(x - kSidewaysStep);
        break;
    case kRight:
        m_view.ScrollToX(x + kSidewaysStep);
        break;
    case kPageUp:
        m_view.ScrollToY(y - m_view.PageHeight());
        break;
    case kPageDown:
        m_view.ScrollToY(y + m_view.PageHeight());
        break;
    case kTop:
        m_view.ScrollToY(0);
        break;
    case kBottom:
        m_view.ScrollToY(m_view.ContentHeight());
        break;
    default:
        break;
    }
}

bool CViewController::FindNext(const std::u16string& text, const SSearchOptions& options) {
    if (m_caret == nullptr)
        return false;
    m_view.setFocus();
    const std::optional<STextRange> match = SearchFromCaret(*m_caret, *m_lines, text, options);
    if (!match)
        return false;
    ShowLines(match->start.line, 1);
    Apply(true);
    return true;
}

bool CViewController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_view || m_caret == nullptr)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        return MoveByKey(key) || TypeKey(key);
    }
    case QEvent::ContextMenu: {
        const auto& menuEvent = static_cast<const QContextMenuEvent&>(*event);
        ShowContextMenu(menuEvent.globalPos(),
                        m_view.viewport()->mapFrom(&m_view, menuEvent.pos()));
        return true;
    }
    default:
        return false;
    }
}

bool CViewController::MoveByKey(const QKeyEvent& event) {
    const int command = MovementOf(event.key());
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (command < 0 || (modifiers & ~(Qt::ShiftModifier | Qt::ControlModifier)) != 0)
        return false;
    m_caret->Move(command, (modifiers & Qt::ShiftModifier) != 0,
                  (modifiers & Qt::ControlModifier) != 0, m_view);
    Apply(true);
    return true;
}

void CViewController::OnMouse(CXMLView::EMouse gesture, Qt::KeyboardModifiers modifiers,
                              STextPosition position) {
    if (m_caret == nullptr)
        return;
    const bool shift = (modifiers & Qt::ShiftModifier) != 0;
    const bool ctrl = (modifiers & Qt::ControlModifier) != 0;
    switch (gesture) {
    case CXMLView::EMouse::Press:
        m_view.setFocus();
        m_caret->Press(position, shift, ctrl);
        Apply(false);
        break;
    case CXMLView::EMouse::Drag:
        if (m_caret->ButtonDown() && m_caret->Drag(position) == kCaretActed)
            Apply(true);
        break;
    case CXMLView::EMouse::DoubleClick:
        m_caret->DoubleClick(position);
        Apply(false);
        break;
    case CXMLView::EMouse::Release:
        m_caret->Release();
        break;
    }
}

void CViewController::ShowContextMenu(QPoint globalPosition, QPoint position) {
    const STextPosition at = m_view.PositionAt(position);
    const CBlockBase* block =
        at.IsSet() ? m_model->Root().FindLine(static_cast<TLine>(at.line)) : nullptr;
    CBlockSelector* selector = block != nullptr ? block->EnclosingSelector() : nullptr;
    const bool merge = m_model->IsMerge();

    QMenu menu(&m_view);
    QMenu* resolve = menu.addMenu(Translated("Menu.Context.Resolve"));
    resolve->setEnabled(merge && selector != nullptr);
    struct SResolveItem {
        const char* key;
        int side;
    };
    for (const SResolveItem& item : {SResolveItem{"Menu.Context.ResolveLeft", kSideLeft},
                                     {"Menu.Context.ResolveBase", kSideBase},
                                     {"Menu.Context.ResolveRight", kSideRight}}) {
        QAction* action = resolve->addAction(Translated(item.key));
        action->setEnabled(item.side != kSideBase || m_model->Context().order.IsThreeWay());
        connect(action, &QAction::triggered, this,
                [this, selector, side = item.side] { ResolveAt(*selector, side); });
    }
    menu.addSeparator();
    struct SEditItem {
        const char* key;
        bool enabled;
        std::function<void()> run;
    };
    const bool pasteXml = merge && !TheXMLClipboard().IsEmpty();
    const SEditItem edits[] = {
        {"Menu.Context.CutText", merge, [this] { CutText(); }},
        {"Menu.Context.CutXML", merge, [this] { CutAsXml(); }},
        {"Menu.Context.Copy", true, [this] { Copy(false); }},
        {"Menu.Context.PasteText", merge && HasClipboardText(), [this] { PasteText(); }},
        {"Menu.Context.PasteXML", pasteXml, [this] { PasteXml(); }},
        {"Menu.Context.DeleteText", merge, [this] { DeleteForward(); }},
        {"Menu.Context.DeleteXML", merge, [this] { DeleteAsXml(); }},
    };
    for (const SEditItem& edit : edits) {
        QAction* action = menu.addAction(Translated(edit.key));
        action->setEnabled(edit.enabled);
        if (edit.run)
            connect(action, &QAction::triggered, this, edit.run);
    }
    menu.addSeparator();
    connect(menu.addAction(Translated("Menu.Context.SelectAll")), &QAction::triggered, this,
            &CViewController::SelectAll);
    menu.addSeparator();
    const QString element = ElementNameOf(block);
    NString::TStr<char16_t> properties;
    if (element.isEmpty())
        properties = NString::NTranslator::Text("Menu.Context.PropertiesOff");
    else
        NString::Format(properties, NString::NTranslator::Text("Menu.Context.PropertiesOn").Text(),
                        element.toUtf8().constData());
    QAction* propertiesItem = menu.addAction(QString::fromUtf16(properties.Text()));
    propertiesItem->setEnabled(!element.isEmpty());
    connect(propertiesItem, &QAction::triggered, this,
            [this, element] { emit propertiesRequested(element); });
    menu.exec(globalPosition - QPoint(40, 0));
}

void CViewController::ResolveAt(CBlockSelector& selector, int side) {
    m_model->SetCurrent(&selector);
    m_model->Resolve(selector, side);
    m_view.viewport()->update();
    LinesChanged();
    emit resolvedFromMenu();
}

bool CViewController::Undo() {
    const CUndoStep* step = m_model != nullptr ? m_history.Undo(*m_model) : nullptr;
    if (step == nullptr)
        return false;
    ShowReplayed(step->caretBefore, step->anchorBefore);
    return true;
}

bool CViewController::Redo() {
    const CUndoStep* step = m_model != nullptr ? m_history.Redo(*m_model) : nullptr;
    if (step == nullptr)
        return false;
    ShowReplayed(step->caretAfter, {});
    return true;
}

void CViewController::ShowReplayed(STextPoint caret, STextPoint anchor) {
    m_view.setFocus();
    m_view.UpdateScrollRanges();
    m_view.viewport()->update();
    m_caret->Select({ToTextPosition(anchor), ToTextPosition(caret)});
    Apply(true);
    emit resultChanged();
}

STextPoint ToTextPoint(STextPosition position) {
    if (!position.IsSet())
        return {};
    return {static_cast<TLine>(position.line), static_cast<std::uint32_t>(position.column)};
}

STextPosition ToTextPosition(STextPoint point) {
    if (!point.IsSet())
        return {};
    return {static_cast<int>(point.line), static_cast<int>(point.column)};
}

bool CViewController::Copy(bool asXml) {
    if (m_model == nullptr)
        return false;
    const STextPoint caret = ToTextPoint(m_caret->Caret());
    const STextPoint anchor = ToTextPoint(m_caret->Anchor());
    TheXMLClipboard().Fill(*m_model, caret, anchor);
    const QString text = asXml ? QString::fromStdString(SelectionXML(*m_model, caret, anchor))
                               : QString::fromUtf16(SelectionText(*m_model, caret, anchor).Text());
    if (text.isEmpty())
        return false;
    QGuiApplication::clipboard()->setText(text);
    return true;
}

bool CViewController::ChangeBlocks(
    const std::function<bool(STextPoint, STextPoint, CUndoStep*)>& change) {
    if (m_caret == nullptr)
        return false;
    const std::optional<STextRange> selection = m_caret->Selection();
    const STextPoint start = ToTextPoint(selection ? selection->start : m_caret->Caret());
    return ChangeText([&change, start](STextPoint caret, STextPoint anchor, CUndoStep* step) {
        const bool changed = change(caret, anchor, step);
        return STextEditOutcome{start, changed ? STextEditOutcome::kActed
                                               : STextEditOutcome::kNothingChanged};
    });
}

void CViewController::ShowChange() {
    m_view.UpdateScrollRanges();
    m_view.viewport()->update();
    Apply(true);
    emit resultChanged();
}

bool CViewController::ChangeText(
    const std::function<STextEditOutcome(STextPoint, STextPoint, CUndoStep*)>& change) {
    if (m_model == nullptr || !m_model->IsMerge())
        return false;
    const STextPoint caret = ToTextPoint(m_caret->Caret());
    const STextPoint anchor = ToTextPoint(m_caret->Anchor());
    CUndoStep* step = m_history.BeginAction(caret, anchor);
    const STextEditOutcome outcome = change(caret, anchor, step);
    const bool changed = outcome.result == STextEditOutcome::kActed;
    if (changed)
        m_caret->Select({{}, ToTextPosition(outcome.caret)});
    m_caret->Clamp();
    m_history.EndAction(step, ToTextPoint(m_caret->Caret()));
    if (changed)
        ShowChange();
    return changed;
}

bool CViewController::Type(const std::u16string& text) {
    const std::string utf8 = QString::fromStdU16String(text).toStdString();
    return ChangeText([this, &utf8](STextPoint caret, STextPoint anchor, CUndoStep* step) {
        return TypeText(*m_model, caret, anchor, utf8, step);
    });
}

bool CViewController::DeleteForward() {
    return ChangeText([this](STextPoint caret, STextPoint anchor, CUndoStep* step) {
        return ::DeleteForward(*m_model, caret, anchor, step);
    });
}

bool CViewController::DeleteBackward() {
    return ChangeText([this](STextPoint caret, STextPoint anchor, CUndoStep* step) {
        return ::DeleteBackward(*m_model, caret, anchor, step);
    });
}

bool CViewController::CutText() {
    return Copy(false) && ChangeText([this](STextPoint caret, STextPoint anchor, CUndoStep* step) {
               return DeleteSelectionAsText(*m_model, caret, anchor, step);
           });
}

bool CViewController::PasteText() {
    const QString text = QGuiApplication::clipboard()->text();
    return !text.isEmpty() && Type(text.toStdU16String());
}

// Characters typed into the view, and Backspace; everything else is a
// command of the window or a movement.
bool CViewController::TypeKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if ((modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0)
        return false;
    switch (event.key()) {
    case Qt::Key_Backspace:
        DeleteBackward();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The line break of the system the program runs on.
        Type(u"\n");
        return true;
    case Qt::Key_Tab:
        Type(u"\t");
        return true;
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty() || text.front().unicode() < 0x20 || text.front().unicode() == 0x7F)
        return false;
    Type(text.toStdU16String());
    return true;
}

bool CViewController::DeleteAsXml() {
    return ChangeBlocks([this](STextPoint caret, STextPoint anchor, CUndoStep* step) {
        return DeleteSelectionAsXML(*m_model, caret, anchor, step) == kDeletedBlocks;
    });
}

bool CViewController::CutAsXml() {
    return Copy(false) && DeleteAsXml();
}

bool CViewController::PasteXml() {
    return ChangeBlocks([this](STextPoint caret, STextPoint anchor, CUndoStep* step) {
        return PasteXML(*m_model, TheXMLClipboard(), caret, anchor, step);
    });
}

bool CViewController::HasClipboardText() {
    const QString text = QGuiApplication::clipboard()->text();
    return !text.isEmpty() && text.front() != QChar(0);
}
