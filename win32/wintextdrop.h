#pragma once
// Plain text dropped from another program into an edit control: an edit control takes an OLE
// drop only through a target registered for it. The text goes in at the drop point, as typing
// it there would (the control's limit holds, its change notification follows).

#include <windows.h>
// after windows.h, which it needs
#include <ole2.h>

namespace batora {

class WinTextDrop final : public IDropTarget {
 public:
  explicit WinTextDrop(HWND edit) : m_edit(edit) {}
  WinTextDrop(const WinTextDrop&) = delete;
  WinTextDrop& operator=(const WinTextDrop&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                 DWORD* effect) override;

 private:
  ~WinTextDrop() = default;
  DWORD effect() const;

  HWND m_edit;
  LONG m_references = 1;
  bool m_offersText = false;
};

}  // namespace batora
