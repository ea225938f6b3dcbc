// Brixel, the full edition: the wizard window over the listing, formatting and export core.
#include "full/full_window.h"
#include "shell/application_setup.h"
#include "shell/desktop_ids.h"

int main(int argc, char** argv) {
  return brixel::RunWindowProgram<brixel::FullWindow>(argc, argv, brixel::kFullEdition,
                                                      brixel::kFullDesktopId);
}
