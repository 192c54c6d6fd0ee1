// The toolkit's entry point, which creates QuorvantApp and runs its event loop.
#include "app/quorvant_app.h"

wxIMPLEMENT_APP(QuorvantApp);
