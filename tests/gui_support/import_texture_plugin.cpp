// Every window test reads BLP and TGA through QImage, as the programs do.
#include <QtPlugin>

Q_IMPORT_PLUGIN(TexturesImagePlugin)
