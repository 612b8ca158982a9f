#include "winlistbox.h"

#include <algorithm>

#include "textmeasure.h"
#include "winsupport_win.h"

namespace batora {

namespace {

constexpr DWORD kStyle = LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_EXTENDEDSEL | LBS_NOTIFY |
                         LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_BORDER;
constexpr int kTextMargin = 2;

}  // namespace

// The list asks its parent for the row height while it is being created, before this object
// answers for it; the height is set afterwards from the font.
WinListBox::WinListBox(const ControlPlace& place)
    : WinControl(place, L"LISTBOX", kStyle, WS_EX_CLIENTEDGE, ControlKind::kControl) {
  send(LB_SETITEMHEIGHT, 0, TextMeasure(hwnd()).lineHeight());
}

LRESULT WinListBox::send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageW(hwnd(), message, wParam, lParam);
}

void WinListBox::clear() {
  send(LB_RESETCONTENT);
  m_rows.clear();
  m_scrollWidth = 0;
  send(LB_SETHORIZONTALEXTENT, 0);
}

void WinListBox::setRows(std::vector<std::string> rows) {
  send(WM_SETREDRAW, FALSE);
  clear();
  m_rows.show(std::move(rows));
  showRows();
}

void WinListBox::fillRows(size_t count, const std::function<std::string(size_t)>& rowAt) {
  send(WM_SETREDRAW, FALSE);
  clear();
  m_rows.show(count, rowAt);
  showRows();
}

// The list only learns the count. Every row is measured once, with one device context, for
// the sideways scrolling; its text is not kept.
void WinListBox::showRows() {
  int widest = 0;
  {
    const TextMeasure measure(hwnd());
    for (int row = 0; row < rowCount(); ++row)
      widest = std::max(widest, measure.width(win::wide(m_rows.text(row))));
  }
  send(LB_SETCOUNT, m_rows.count());
  widenScrolling(widest);
  send(WM_SETREDRAW, TRUE);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void WinListBox::addRow(std::string text) {
  const std::wstring wide = win::wide(text);
  m_rows.add(std::move(text));
  send(LB_SETCOUNT, m_rows.count());
  widenScrolling(TextMeasure(hwnd()).width(wide));
}

// A list box scrolls sideways only as far as it is told; the widest row tells it.
void WinListBox::widenScrolling(int textWidth) {
  if (textWidth + 4 <= m_scrollWidth) return;
  m_scrollWidth = textWidth + 4;
  send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(m_scrollWidth));
}

int WinListBox::rowCount() const {
  return static_cast<int>(m_rows.count());
}

std::string WinListBox::rowText(int row) const {
  if (!m_rows.has(row)) return {};
  return m_rows.text(row);
}

void WinListBox::setRowText(int row, std::string text) {
  if (!m_rows.has(row)) return;
  widenScrolling(TextMeasure(hwnd()).width(win::wide(text)));
  m_rows.setText(row, std::move(text));
  RECT area{};
  if (send(LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&area)) != LB_ERR)
    ::InvalidateRect(hwnd(), &area, TRUE);
}

int WinListBox::selectedCount() const {
  return std::max(0, static_cast<int>(send(LB_GETSELCOUNT)));
}

bool WinListBox::isSelected(int row) const {
  return send(LB_GETSEL, static_cast<WPARAM>(row)) > 0;
}

void WinListBox::setSelected(int row, bool selected) {
  send(LB_SETSEL, selected ? TRUE : FALSE, row);
}

int WinListBox::currentRow() const {
  if (rowCount() == 0) return -1;
  return static_cast<int>(send(LB_GETCARETINDEX));
}

void WinListBox::setCurrentRow(int row) {
  send(LB_SETCARETINDEX, static_cast<WPARAM>(row), FALSE);
}

// Posted, not sent: the list applies it when the caller next yields, as the classic program
// relied on.
void WinListBox::postSelectAll(bool select) {
  ::PostMessageW(hwnd(), LB_SETSEL, select ? TRUE : FALSE, -1);
}

void WinListBox::repaint() {
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void WinListBox::draw(const DRAWITEMSTRUCT& item) const {
  if (item.itemID >= m_rows.count()) return;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  ::SetBkMode(item.hDC, TRANSPARENT);
  ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT text = item.rcItem;
  text.left += kTextMargin;
  const std::wstring row = win::wide(m_rows.text(static_cast<int>(item.itemID)));
  ::DrawTextW(item.hDC, row.c_str(), static_cast<int>(row.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(item.hDC, &item.rcItem);
}

std::optional<LRESULT> WinListBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kReflectedDrawItem) {
    draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  if (message != kReflectedCommand) return std::nullopt;
  if (HIWORD(wParam) == LBN_SELCHANGE && onSelectionChange) onSelectionChange();
  if (HIWORD(wParam) == LBN_DBLCLK && onDoubleClick) onDoubleClick();
  return 0;
}

}  // namespace batora
