#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ControlReader.h"
#include "TargetPrograms.h"

namespace tarvik::e2e {
namespace {

using Texts = std::vector<std::optional<std::wstring>>;

const std::wstring kOpenRouteEditor = L"Please Open the Route Editor Camera Window.";
const std::wstring kOpenMosaic = L"Please Open Mosaic.";
const std::wstring kOpenUsaPhotoMaps = L"Please Open USAPhotoMaps.";

class TargetClosed : public TargetProgramTest {};

TEST_F(TargetClosed, EachJumpAndGrabAsksForItsTargetToBeOpened) {
  ASSERT_NO_FATAL_FAILURE(Launch());

  // Add jumps; the first Route Editor jump of a run is made twice.
  ASSERT_NO_FATAL_FAILURE(Type(kFalls));
  ASSERT_TRUE(PostMessageW(Control("Command_New"), BM_CLICK, 0, 0));
  ASSERT_NO_FATAL_FAILURE(ExpectPleaseOpen(kOpenRouteEditor));
  ASSERT_NO_FATAL_FAILURE(ExpectPleaseOpen(kOpenRouteEditor));
  ASSERT_NO_FATAL_FAILURE(ExpectCommandEnded());
  EXPECT_EQ(Rows("List_Entire"), RowsOf({kFalls})) << "the waypoint is added all the same";

  ASSERT_NO_FATAL_FAILURE(StartSelect("List_Entire", kFalls));
  ASSERT_NO_FATAL_FAILURE(ExpectPleaseOpen(kOpenRouteEditor));
  ASSERT_NO_FATAL_FAILURE(ExpectCommandEnded());

  ASSERT_NO_FATAL_FAILURE(StartGrab());
  ASSERT_NO_FATAL_FAILURE(ExpectPleaseOpen(kOpenRouteEditor));
  ASSERT_NO_FATAL_FAILURE(ExpectCommandEnded());
  EXPECT_TRUE(Enabled("Command_Grab")) << "a grab that found nothing can be tried again";

  ASSERT_NO_FATAL_FAILURE(ChooseTarget(L"Mosaic"));
  ASSERT_NO_FATAL_FAILURE(StartSelect("List_Entire", kFalls));
  ASSERT_NO_FATAL_FAILURE(ExpectPleaseOpen(kOpenMosaic));
  ASSERT_NO_FATAL_FAILURE(ExpectCommandEnded());
  ASSERT_NO_FATAL_FAILURE(StartGrab());
  ASSERT_NO_FATAL_FAILURE(ExpectPleaseOpen(kOpenMosaic));
  ASSERT_NO_FATAL_FAILURE(ExpectCommandEnded());
  EXPECT_TRUE(Enabled("Command_Grab"));

  ASSERT_NO_FATAL_FAILURE(ChooseTarget(L"USAPhotoMaps"));
  ASSERT_NO_FATAL_FAILURE(StartSelect("List_Entire", kFalls));
  ASSERT_NO_FATAL_FAILURE(ExpectPleaseOpen(kOpenUsaPhotoMaps));
  ASSERT_NO_FATAL_FAILURE(ExpectCommandEnded());

  EXPECT_EQ(EntryTexts(), (Texts{kFalls.name, kFalls.latitude, kFalls.longitude}))
      << "the grabs changed nothing";
}

}  // namespace
}  // namespace tarvik::e2e
