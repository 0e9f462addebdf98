// The main window's commands that replace the job: Delete empties it.

#include <QAction>

#include "job/JobState.h"
#include "platform/Prompts.h"
#include "shell/UDebit.h"

namespace tranchex {

// Delete forgets the job on screen: its name, its path and the caption stay, and no file is
// deleted, so the job can be opened again as it was last saved.
void TFDebit::SupprimerClick() {
  if (prompts_.Ask(Texts.MsgDeleteTitle, Texts.MsgDeleteConfirm, PromptButtons::YesNo,
                   PromptIcon::Question) != PromptAnswer::Yes) {
    return;
  }
  ClearJobLists(job_);
  job_.JobLoaded = 0;
  job_.JobModified = 0;
  DisableJobCommands();
  View->update();
}

}  // namespace tranchex
