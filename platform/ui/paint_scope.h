// The widget whose paint event is being handled (inside platform/ui only).
#pragma once

class QWidget;

class PaintScope {
 public:
  explicit PaintScope(QWidget* pWidget);
  ~PaintScope();
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  static QWidget* Current();

 private:
  QWidget* m_pPrevious;
};
