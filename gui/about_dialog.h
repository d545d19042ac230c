// The About window on screen: a small modal dialog mirroring the About window's model.
#pragma once

#include <QWidget>

#include "ui/About.h"

// Shows the window modally; the "OK" label or the close box closes it.
void RunAboutDialog(QWidget* parent, TFormAbout& about);
