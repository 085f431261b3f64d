#include "core/report/ReportColumns.h"

#include <cstddef>

namespace {

constexpr bool ColumnsFollowEachOther() {
  std::int32_t end = 0;
  for (std::size_t k = 0; k < FixedReportColumns.size(); ++k) {
    const TReportColumn& column = FixedReportColumns[k];
    if (column.Col != static_cast<int>(k) || column.StartPos <= end ||
        column.Ruler.size() != static_cast<std::size_t>(column.Width))
      return false;
    end = column.EndPos();
  }
  return FirstRondeColumn.Col == static_cast<int>(FixedReportColumns.size()) &&
         FirstRondeColumn.StartPos > end &&
         FirstRondeColumn.Ruler.size() == static_cast<std::size_t>(FirstRondeColumn.Width) &&
         RondeColumnStep >= FirstRondeColumn.Width;
}
// Each column has its own place in the table and in the report, in the same order.
static_assert(ColumnsFollowEachOther());

} // namespace

TReportColumn ReportColumnAt(int col) {
  if (col < FirstRondeColumn.Col) return FixedReportColumns[static_cast<std::size_t>(col)];
  TReportColumn column = FirstRondeColumn;
  const int k = col - FirstRondeColumn.Col;
  column.Col = col;
  column.StartPos += RondeColumnStep * k;
  return column;
}

std::uintmax_t ReportLineWidth(int rondeCount) {
  if (rondeCount <= 0) return static_cast<std::uintmax_t>(FixedReportColumns.back().EndPos());
  return static_cast<std::uintmax_t>(FirstRondeColumn.EndPos()) +
         std::uintmax_t{RondeColumnStep} * static_cast<std::uintmax_t>(rondeCount - 1);
}
