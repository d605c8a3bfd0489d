#pragma once

#include <cstdint>
#include <optional>

namespace kovalin::app {

class TFResults;
class tResultsWorkspace;

// "Analize selected data": the selected rows of the active data table analysed
// into a new results document. Nothing without an active data set. Returns the
// document, or none.
TFResults* Launch_SelectionAnalysis(tResultsWorkspace& workspace,
                                    std::optional<std::uint32_t> seed = std::nullopt);

}  // namespace kovalin::app
