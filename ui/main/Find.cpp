// The block search of the Find menu and keys.
#include "Find.h"

namespace dualis {

namespace {

int Sign(LineSymbol symbol) {
    const int value = static_cast<int>(symbol);
    return (value > 0) - (value < 0);
}

// The rows of one procedure in the view the search looks at.
class ViewRows {
  public:
    explicit ViewRows(const FindView& view)
        : combined_(view.State.CombinedDisplay.Row(view.Proc)),
          separate_(view.State.SeparateDisplay.Row(view.Proc)),
          isCombined_(view.Combined) {}

    int32_t Count() const {
        return static_cast<int32_t>(isCombined_ ? combined_.size() : separate_.size());
    }

    // The sign of row r's class: File 1's pane stands for the row in the two-pane views.
    int LeadSign(int32_t r) const {
        return Sign(isCombined_ ? combined_[r - 1].Symbol : separate_[r - 1].Pane[0].Symbol);
    }

    // A match row has a negative class and a mismatch row a positive one; in the two-pane
    // views either pane decides. An ignored row is neither.
    bool Is(int32_t r, int16_t what) const {
        const int wanted = what == FindMatch ? -1 : 1;
        if (isCombined_) return Sign(combined_[r - 1].Symbol) == wanted;
        const auto& pane = separate_[r - 1].Pane;
        return Sign(pane[0].Symbol) == wanted || Sign(pane[1].Symbol) == wanted;
    }

  private:
    std::span<const CombinedRow> combined_;
    std::span<const SeparateRow> separate_;
    bool isCombined_;
};

}  // namespace

FindResult Find(int16_t findType, int16_t findWhat, const FindView& view, const FindState& state) {
    const ViewRows rows(view);
    const int32_t n = rows.Count();
    const int32_t hiLite = view.HiLiteLine;
    int16_t direction = 1;
    int32_t start = 1;
    int32_t end = n;
    const bool fromEnd = findType == FindFirst || findType == FindLast;
    switch (findType) {
        case FindLast:
            direction = -1;
            start = n;
            end = 1;
            break;
        case FindNext:
            start = hiLite + 1 < 1 ? view.TopLine : hiLite + 1;
            break;
        case FindPrior:
            direction = -1;
            // With a row highlighted the search goes on above it; only without a highlight does
            // it start from the bottom row drawn. (Row 1 highlighted: nothing lies above.)
            start = hiLite < 1 ? view.BottomLine : hiLite - 1;
            end = 1;
            break;
        default:
            break;
    }
    FindResult result;
    result.State = {findType, direction, findWhat};
    result.TraceLines = {
        "FindType=" + std::to_string(findType) + " FindWhat=" + std::to_string(findWhat),
        "FindDirection=" + std::to_string(direction) + " SearchStart=" + std::to_string(start) +
            " SearchEnd=" + std::to_string(end)};
    auto inRange = [&](int32_t r) { return r >= 1 && r <= n && (r - end) * direction <= 0; };
    int32_t r = start;
    if (!inRange(r)) return result;
    // Going on in the same direction for the same kind first leaves the highlighted block.
    const bool continuing = findWhat == state.LastFindWhat &&
                            direction == state.LastFindDirection && hiLite >= 1 && hiLite <= n &&
                            !fromEnd;
    if (continuing) {
        const int blockSign = rows.LeadSign(hiLite);
        while (inRange(r) && (rows.LeadSign(r) == 0 || rows.LeadSign(r) == blockSign)) {
            r += direction;
        }
    }
    while (inRange(r) && !rows.Is(r, findWhat)) r += direction;
    if (!inRange(r)) return result;
    result.Found = r;
    result.ScrollValue =
        ScrollToRow(r, n, direction, view.TopLine, view.BottomLine, view.LinesPerPane);
    return result;
}

std::optional<int32_t> ScrollToRow(int32_t row, int32_t rows, int direction, int32_t topLine,
                                   int32_t bottomLine, int32_t linesPerPane) {
    if (row >= topLine && row <= bottomLine) return std::nullopt;
    const int32_t page = linesPerPane;
    // Forward, the row found becomes the pane's second row, or the page ends with the procedure;
    // backward, it becomes the pane's last row.
    if (direction > 0) return row == 1 ? 1 : row > rows - page ? rows - page : row - 1;
    return row > page ? row - page : 1;
}

}  // namespace dualis
