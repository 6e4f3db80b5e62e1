#include "app/module.h"

#include "config/programfiles.h"

Module::Module(ProgramDir dir, Desktop& desktop)
    : dir(std::move(dir)), desktop(desktop), ext(this->dir.path(ProgramFiles::Extra))
{
}

QString Module::makerHomePage()
{
    return QStringLiteral("quorvink:start");
}
