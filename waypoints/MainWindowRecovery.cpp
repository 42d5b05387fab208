// The main window's part in keeping unsaved work: the recovery copy
// follows the list after every command, and the copies that runs which did
// not end normally left behind are offered back at start.
#include "app/AppInfo.h"
#include "app/Form_Tarvik.h"
#include "waypoints/DocumentPaths.h"
#include "waypoints/recovery/CopyTexts.h"

namespace tarvik::app {

void Form_Tarvik::KeepRecoveryCopy() {
  if (!recovery_) return;
  if (document_.IsDirty) {
    std::pair kept{entire_list_->Version(), untitled_ ? std::string() : document_.DocPath};
    if (kept_ != kept) recovery_->Keep(entire_list_->Rows(), kept.second);
    kept_ = std::move(kept);
  } else if (kept_) {
    recovery_->Discard();
    kept_.reset();
  }
  if (auto failure = recovery_->TakeFailure()) services_.messages.Warn(*failure, kAppTitle);
}

void Form_Tarvik::OfferLeftCopies(recovery::LeftCopies found, recovery::RecoveryFolder& folder) {
  RunGuarded([&] {
    for (const auto& path : found.unreadable) {
      WarnFileProblem(path, recovery::UnreadableSentence());
    }
    for (auto& copy : found.copies) {
      const std::string name =
          copy.document_path.empty() ? "untitled" : waypoints::FileNamePart(copy.document_path);
      const std::string question = recovery::OfferText(name, copy.rows.Count(), copy.written);
      if (services_.messages.Ask(question, kAppTitle) == platform::Answer::Yes) {
        RestoreLeftCopy(copy);
        if (recovery_) recovery_->Adopt(copy);
        // One list at a time: the other copies wait for the next start.
        return;
      }
      if (!folder.Decline(copy)) {
        WarnFileProblem(copy.file,
                        "could not be moved to the folder Recovery\\Declined. It is offered "
                        "again at the next start.");
      }
    }
  });
}

void Form_Tarvik::RestoreLeftCopy(const recovery::LeftCopy& copy) {
  ClearLists();
  FillEntireList(copy.rows);
  // The unsaved state of that document, as it was when the run ended.
  if (copy.document_path.empty()) {
    StartUntitledDocument();
  } else {
    MakeCurrentDocument(copy.document_path);
  }
  // An untitled list has no file for Save to write to.
  c_.Menu_FileSave->SetEnabled(!untitled_);
  ShowEntireList();
  LastRow_.clear();
  c_.Command_Last->SetEnabled(false);
  document_.IsDirty = true;
}

}  // namespace tarvik::app
