#include "wintextdrop.h"

#include <string>

namespace batora {

namespace {

FORMATETC textFormat() {
  return {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool offersText(IDataObject* data) {
  FORMATETC format = textFormat();
  return data != nullptr && data->QueryGetData(&format) == S_OK;
}

}  // namespace

HRESULT STDMETHODCALLTYPE WinTextDrop::QueryInterface(REFIID id, void** object) {
  if (object == nullptr) return E_POINTER;
  if (id == IID_IUnknown || id == IID_IDropTarget) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE WinTextDrop::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&m_references));
}

ULONG STDMETHODCALLTYPE WinTextDrop::Release() {
  const LONG left = ::InterlockedDecrement(&m_references);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// A read-only or disabled box takes nothing, like a box that cannot be typed into.
DWORD WinTextDrop::effect() const {
  const bool writable = (::GetWindowLongW(m_edit, GWL_STYLE) & ES_READONLY) == 0;
  return m_offersText && writable && ::IsWindowEnabled(m_edit) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT STDMETHODCALLTYPE WinTextDrop::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  m_offersText = offersText(data);
  *effect = this->effect();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE WinTextDrop::DragOver(DWORD, POINTL, DWORD* effect) {
  *effect = this->effect();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE WinTextDrop::DragLeave() {
  m_offersText = false;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE WinTextDrop::Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
  m_offersText = offersText(data);
  *effect = this->effect();
  m_offersText = false;
  if (*effect == DROPEFFECT_NONE) return S_OK;
  FORMATETC format = textFormat();
  STGMEDIUM medium{};
  if (data->GetData(&format, &medium) != S_OK) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  std::wstring text;
  if (const auto* locked = static_cast<const wchar_t*>(::GlobalLock(medium.hGlobal))) {
    text = locked;
    ::GlobalUnlock(medium.hGlobal);
  }
  ::ReleaseStgMedium(&medium);
  POINT at{point.x, point.y};
  ::ScreenToClient(m_edit, &at);
  const LRESULT found = ::SendMessageW(m_edit, EM_CHARFROMPOS, 0, MAKELPARAM(at.x, at.y));
  const WPARAM position = LOWORD(found);
  ::SendMessageW(m_edit, EM_SETSEL, position, static_cast<LPARAM>(position));
  ::SendMessageW(m_edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  return S_OK;
}

}  // namespace batora
