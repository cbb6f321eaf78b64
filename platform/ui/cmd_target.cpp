#include "platform/ui/msg_map.h"

namespace {
constexpr MessageMapEntry kNoEntries[] = {{0, 0, nullptr}};
constexpr MessageMap kRootMap = {nullptr, kNoEntries};
}  // namespace

const MessageMap* CCmdTarget::GetThisMessageMap() { return &kRootMap; }
const MessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const MessageMapEntry* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nId) const {
  for (const MessageMap* pMap = GetMessageMap(); pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
    for (const MessageMapEntry* pEntry = pMap->pEntries; pEntry->pfnHandler; ++pEntry) {
      if (pEntry->nMessage == nMessage && (nMessage != WM_COMMAND || pEntry->nId == nId)) return pEntry;
    }
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nId) {
  const MessageMapEntry* pEntry = FindMessageEntry(WM_COMMAND, nId);
  if (pEntry == nullptr) return FALSE;
  pEntry->pfnHandler(this, 0, 0);
  return TRUE;
}
