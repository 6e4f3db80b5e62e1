#include "app/module.h"

Module::Module(ProgramDir dir, Desktop& desktop) : dir(std::move(dir)), desktop(desktop) {}

QString Module::makerHomePage()
{
    return QStringLiteral("quorvink:start");
}
