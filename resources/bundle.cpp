#include "resources/bundle.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace.
void initResourceBundle()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(translations);
}
