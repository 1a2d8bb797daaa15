#include "creator_line.h"

#include "element_names.h"
#include "kestrane_main.h"

namespace kestrane {

void showMakerContact(KESTRANE_Main& main) {
  main.label(names::creator).setCaption(makerContactAddress);
}

}  // namespace kestrane
