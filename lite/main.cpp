// BrixelLite, the lite edition: the one-page window over the listing, formatting and export core.
#include "lite/lite_window.h"
#include "shell/application_setup.h"
#include "shell/desktop_ids.h"

int main(int argc, char** argv) {
  return brixel::RunWindowProgram<brixel::LiteWindow>(argc, argv, brixel::kLiteEdition,
                                                      brixel::kLiteDesktopId);
}
