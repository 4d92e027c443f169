#pragma once
#include <QIcon>

// The program's icon, drawn at start-up so no image file has to ship.
QIcon Program_Icon();
