#pragma once

#include <QMainWindow>

namespace merger {

// The merger's window "Quellon".
class FrmQuellon : public QMainWindow {
    Q_OBJECT

  public:
    explicit FrmQuellon(QWidget* parent = nullptr);
};

} // namespace merger
