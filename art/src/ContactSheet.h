// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ArtSet.h"

#include <QImage>

// One picture for reviewing the whole set at a glance: the three skins put together as the program
// lays them out, the coins in motion, and every file with its name. Only for people to look at; it
// may use the system's fonts and is not part of the archive.
QImage buildContactSheet(const ArtSet &art);
