#pragma once

#include <QWidget>

class Module;

class frmStart : public QWidget {
    Q_OBJECT
public:
    explicit frmStart(Module& module, QWidget* parent = nullptr);
    ~frmStart() override;
    void start();

private:
    Module& m;
};
