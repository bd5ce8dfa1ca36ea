#pragma once

#include "dkcmcolor.h"
#include "dkdbdatabase.h"
#include "dkdbobject.h"
#include "dkdbsymboltable.h"
#include "dkdbviewport.h"
