#include "platform/demarrage.h"

#ifdef FILMOREL_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

// fontconfig builds its configuration once per process, whichever thread
// asks first; Qt later finds it ready.
PolicesEnAvance::PolicesEnAvance() {
#ifdef FILMOREL_FONTCONFIG
  m_fil = std::thread([] { FcInit(); });
#endif
}
