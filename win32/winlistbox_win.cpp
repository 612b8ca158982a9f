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

// The list only learns the count; the texts stay here and are measured with one device
// context, for the sideways scrolling.
void WinListBox::setRows(std::vector<std::string> rows) {
  send(WM_SETREDRAW, FALSE);
  clear();
  m_rows.reserve(rows.size());
  int widest = 0;
  {
    const TextMeasure measure(hwnd());
    for (const std::string& row : rows) {
      m_rows.push_back(win::wide(row));
      widest = std::max(widest, measure.width(m_rows.back()));
    }
  }
  send(LB_SETCOUNT, m_rows.size());
  widenScrolling(widest);
  send(WM_SETREDRAW, TRUE);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void WinListBox::addRow(std::string text) {
  m_rows.push_back(win::wide(text));
  send(LB_SETCOUNT, m_rows.size());
  widenScrolling(TextMeasure(hwnd()).width(m_rows.back()));
}

// A list box scrolls sideways only as far as it is told; the widest row tells it.
void WinListBox::widenScrolling(int textWidth) {
  if (textWidth + 4 <= m_scrollWidth) return;
  m_scrollWidth = textWidth + 4;
  send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(m_scrollWidth));
}

int WinListBox::rowCount() const {
  return static_cast<int>(m_rows.size());
}

std::string WinListBox::rowText(int row) const {
  if (row < 0 || row >= rowCount()) return {};
  return win::narrow(m_rows[static_cast<size_t>(row)]);
}

void WinListBox::setRowText(int row, std::string text) {
  if (row < 0 || row >= rowCount()) return;
  m_rows[static_cast<size_t>(row)] = win::wide(text);
  widenScrolling(TextMeasure(hwnd()).width(m_rows[static_cast<size_t>(row)]));
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
  if (item.itemID >= m_rows.size()) return;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  ::SetBkMode(item.hDC, TRANSPARENT);
  ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT text = item.rcItem;
  text.left += kTextMargin;
  const std::wstring& row = m_rows[item.itemID];
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
