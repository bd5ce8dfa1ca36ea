#pragma once

#include "officepopupmenu.h"
#include "ribbongallery.h"
#include "ribbongallerygroup.h"
#include "ribbongalleryitem.h"
#include "ribbontoolgalleryitem.h"
