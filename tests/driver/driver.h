// The test driver: starts a program under test, finds its windows and
// controls, reads them, acts on them as a person would and takes
// screenshots.
#pragma once

#include "command_line.h"
#include "driver_find.h"
#include "driver_input.h"
#include "driver_picture.h"
#include "driver_read.h"
#include "driver_process.h"
#include "driver_screenshot.h"
#include "driver_wait.h"
