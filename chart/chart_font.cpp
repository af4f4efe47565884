#include "chart/chart_font.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace corvane {

QString ResolveChartFontFamily() {
  const QStringList families = QFontDatabase::families();
  if (families.contains(kChartFontFamily)) return kChartFontFamily;
  if (families.contains(kChartFontFallback)) return kChartFontFallback;
  const int id = QFontDatabase::addApplicationFont(kChartFontFallbackFile);
  if (id >= 0) {
    const QStringList added = QFontDatabase::applicationFontFamilies(id);
    if (!added.isEmpty()) return added.front();
  }
  QFont sans;
  sans.setStyleHint(QFont::SansSerif);
  return sans.defaultFamily();
}

}  // namespace corvane
