#pragma once

#include <string>
#include <vector>

#include "waypoints/exchange/ImportBatch.h"

namespace tarvik::waypoints::exchange {

// What an import does to the entire list: the rows it adds, in file
// order, and everything it leaves out.
struct ImportPlan {
  std::vector<std::string> rows;
  std::vector<Skipped> skipped;
  std::vector<std::string> notes;  // the batch's, for the summary
};

// A waypoint whose row is in the list already, or came earlier in the
// same file, is left out.
ImportPlan PlanImport(ImportBatch batch, const std::vector<std::string>& rows_in_list);

// The text of the "Import" information box: how many were added, how many
// were skipped for which reason, and where the first few of them stand;
// then the batch's notes, a line each.
std::string ImportSummary(const ImportPlan& plan);

}  // namespace tarvik::waypoints::exchange
