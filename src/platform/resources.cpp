#include "platform/resources.h"

#include <QtGlobal>

static void initQuorvinkResources()
{
    Q_INIT_RESOURCE(resources);
}

void initResources()
{
    static bool done = false;
    if (!done) {
        initQuorvinkResources();
        done = true;
    }
}
