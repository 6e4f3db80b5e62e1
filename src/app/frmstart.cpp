#include "app/frmstart.h"

#include "app/module.h"

frmStart::frmStart(Module& module, QWidget* parent) : QWidget(parent), m(module) {}

frmStart::~frmStart() = default;

void frmStart::start()
{
    show();
}
