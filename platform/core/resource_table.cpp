#include "platform/core/resource_types.h"

namespace {
const ResourceTable* g_pResources = nullptr;
}

void AfxSetResourceTable(const ResourceTable* pTable) { g_pResources = pTable; }
const ResourceTable* AfxGetResourceTable() { return g_pResources; }

const DlgTemplate* AfxFindDialogTemplate(UINT nId) {
  if (!g_pResources) return nullptr;
  for (int i = 0; i < g_pResources->nDialogs; ++i) {
    if (g_pResources->ppDialogs[i]->nId == nId) return g_pResources->ppDialogs[i];
  }
  return nullptr;
}

const MenuTemplate* AfxFindMenuTemplate(UINT nId) {
  if (!g_pResources) return nullptr;
  for (int i = 0; i < g_pResources->nMenus; ++i) {
    if (g_pResources->ppMenus[i]->nId == nId) return g_pResources->ppMenus[i];
  }
  return nullptr;
}

const IconGroup* AfxFindIconGroup(UINT nId) {
  if (!g_pResources) return nullptr;
  for (int i = 0; i < g_pResources->nIcons; ++i) {
    if (g_pResources->ppIcons[i]->nId == nId) return g_pResources->ppIcons[i];
  }
  return nullptr;
}

LPCTSTR AfxFindString(UINT nId) {
  if (!g_pResources) return nullptr;
  for (int i = 0; i < g_pResources->nStrings; ++i) {
    if (g_pResources->pStrings[i].nId == nId) return g_pResources->pStrings[i].pszText;
  }
  return nullptr;
}
