#pragma once

#include "dkedsysvar.h"
