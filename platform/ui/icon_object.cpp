#include "platform/ui/icon_object.h"

#include <QHash>
#include <QPixmap>

#include "platform/core/resource_types.h"
#include "platform/ui/qt_support.h"

HICON AfxLoadIconGroup(UINT nId) {
  // Kept for good: handles to resources stay valid however often they are
  // loaded, and they are never destroyed after the application object.
  static auto* s_pLoaded = new QHash<const IconGroup*, IconObject*>;
  const IconGroup* pGroup = AfxFindIconGroup(nId);
  if (pGroup == nullptr) return nullptr;
  if (IconObject* pIcon = s_pLoaded->value(pGroup, nullptr)) return pIcon;
  AfxEnsureApplication();
  auto* pIcon = new IconObject;
  for (int i = 0; i < pGroup->nImages; ++i) {
    QPixmap image(pGroup->pImages[i].ppXpm);
    if (!image.isNull()) pIcon->icon.addPixmap(image);
  }
  s_pLoaded->insert(pGroup, pIcon);
  return pIcon;
}
