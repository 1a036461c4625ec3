#include "platform/demarrage.h"

#ifdef FILMOREL_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

// fontconfig builds its configuration once per process, whichever thread
// asks first; Qt later finds it ready.
void lirePolices() {
#ifdef FILMOREL_FONTCONFIG
  FcInit();
#endif
}
