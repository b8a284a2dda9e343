#include "merger/FrmQuellon.h"

namespace merger {

FrmQuellon::FrmQuellon(QWidget* parent) : QMainWindow(parent) { setWindowTitle("Quellon"); }

} // namespace merger
