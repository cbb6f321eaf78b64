// Message maps: each class that handles messages lists them in a static
// table, which points at its base class's table.
//
//   class CMyDlg : public CDialog { ... DECLARE_MESSAGE_MAP() };
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//     ON_WM_PAINT()
//     ON_COMMAND(IDM_SOMETHING, OnSomething)
//   END_MESSAGE_MAP()
//
// Every entry calls its handler through a thunk made for the handler's exact
// signature, so a handler of the wrong shape does not compile. A lookup
// searches the class's own table first, then its bases' tables.
#pragma once

#include "platform/core/win_types.h"
#include "platform/ui/handles.h"
#include "platform/ui/messages.h"

class CCmdTarget;

typedef LRESULT (*MessageHandler)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

// One window message, or one command (nMessage WM_COMMAND, nId its id).
struct MessageMapEntry {
  UINT nMessage;
  UINT nId;
  MessageHandler pfnHandler;  // null ends the table
};

struct MessageMap {
  const MessageMap* (*pfnGetBaseMap)();  // null for the root
  const MessageMapEntry* pEntries;
};

class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;

  // Runs the handler of command nId; answers whether one was found.
  virtual BOOL OnCmdMsg(UINT nId);
  // The entry for nMessage (with nId for WM_COMMAND), or null.
  const MessageMapEntry* FindMessageEntry(UINT nMessage, UINT nId) const;

 protected:
  static const MessageMap* GetThisMessageMap();
  virtual const MessageMap* GetMessageMap() const;
};

namespace msgmap {

// Picks the member of signature Sig; C is the class that declares it.
template <class Sig, class C>
constexpr Sig C::*Handler(Sig C::*pfn) {
  return pfn;
}

template <class T, auto F>
LRESULT Command(CCmdTarget* p, WPARAM, LPARAM) {
  (static_cast<T*>(p)->*F)();
  return 0;
}
template <class T, auto F>
LRESULT SysCommand(CCmdTarget* p, WPARAM wParam, LPARAM lParam) {
  (static_cast<T*>(p)->*F)(static_cast<UINT>(wParam), lParam);
  return 0;
}
template <class T, auto F>
LRESULT Size(CCmdTarget* p, WPARAM wParam, LPARAM lParam) {
  (static_cast<T*>(p)->*F)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
  return 0;
}
template <class T, auto F>
LRESULT QueryDragIcon(CCmdTarget* p, WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>((static_cast<T*>(p)->*F)());
}
template <class T, auto F>
LRESULT DropFiles(CCmdTarget* p, WPARAM wParam, LPARAM) {
  (static_cast<T*>(p)->*F)(reinterpret_cast<HDROP>(wParam));
  return 0;
}

}  // namespace msgmap

// In the class; leaves the following members protected.
#define DECLARE_MESSAGE_MAP()                    \
 protected:                                      \
  static const MessageMap* GetThisMessageMap();  \
  const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
  const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const MessageMap* theClass::GetThisMessageMap() {                                 \
    using ThisClass [[maybe_unused]] = theClass;                                    \
    using TheBaseClass = baseClass;                                                 \
    static constexpr MessageMapEntry kEntries[] = {
#define END_MESSAGE_MAP()                                                          \
  {0, 0, nullptr}};                                                              \
  static constexpr MessageMap kMap = {&TheBaseClass::GetThisMessageMap, kEntries}; \
  return &kMap;                                                                    \
  }

#define ON_COMMAND(id, memberFxn) \
  {WM_COMMAND, static_cast<UINT>(id), &msgmap::Command<ThisClass, msgmap::Handler<void()>(&ThisClass::memberFxn)>},
#define ON_WM_SYSCOMMAND()    \
  {WM_SYSCOMMAND, 0,          \
   &msgmap::SysCommand<ThisClass, msgmap::Handler<void(UINT, LPARAM)>(&ThisClass::OnSysCommand)>},
#define ON_WM_PAINT() {WM_PAINT, 0, &msgmap::Command<ThisClass, msgmap::Handler<void()>(&ThisClass::OnPaint)>},
#define ON_WM_SIZE() \
  {WM_SIZE, 0, &msgmap::Size<ThisClass, msgmap::Handler<void(UINT, int, int)>(&ThisClass::OnSize)>},
#define ON_WM_QUERYDRAGICON()  \
  {WM_QUERYDRAGICON, 0,        \
   &msgmap::QueryDragIcon<ThisClass, msgmap::Handler<HICON()>(&ThisClass::OnQueryDragIcon)>},
#define ON_WM_DROPFILES() \
  {WM_DROPFILES, 0, &msgmap::DropFiles<ThisClass, msgmap::Handler<void(HDROP)>(&ThisClass::OnDropFiles)>},
