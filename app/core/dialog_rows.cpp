#include "dialog_rows.h"

#include "resource.h"

#include <algorithm>
#include <vector>

namespace orvelin {
namespace {

struct Row {
    int top = 0;
    int bottom = 0;
    std::vector<const res::ControlTemplate*> controls;
};

// Templates list their controls in tab order, not always top to bottom.
std::vector<Row> RowsOf(const res::DialogTemplate& dialog_template) {
    std::vector<const res::ControlTemplate*> by_top;
    for (const res::ControlTemplate& control : dialog_template.controls) {
        by_top.push_back(&control);
    }
    // Iterators: the page's standard library has no ranges sort.
    std::stable_sort(by_top.begin(), by_top.end(), [](const auto* one, const auto* other) {
        return one->rect.y < other->rect.y;
    });
    std::vector<Row> rows;
    for (const res::ControlTemplate* control : by_top) {
        const int top = control->rect.y;
        const int bottom = top + control->rect.height;
        if (rows.empty() || top >= rows.back().bottom) {
            rows.push_back({top, bottom, {}});
        }
        rows.back().bottom = std::max(rows.back().bottom, bottom);
        rows.back().controls.push_back(control);
    }
    return rows;
}

} // namespace

void CloseUpHiddenRows(DialogView& view, const res::DialogTemplate& dialog_template,
                       const std::set<int>& hidden) {
    const std::vector<Row> rows = RowsOf(dialog_template);
    int given_up = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool row_hidden =
            std::ranges::all_of(rows[i].controls, [&hidden](const auto* control) {
                return hidden.contains(control->id);
            });
        if (row_hidden && i + 1 < rows.size()) {
            given_up += rows[i + 1].top - rows[i].top;
            continue;
        }
        for (const res::ControlTemplate* control : rows[i].controls) {
            if (control->id != res::IDC_STATIC) {
                MoveControl(view, control->id, control->rect.x, control->rect.y - given_up);
            }
        }
    }
    ResizeDialog(view, dialog_template.width, dialog_template.height - given_up);
}

} // namespace orvelin
