#pragma once
// Planted for the floor check's own test: a job file that includes the main window.
#include "shell/UDebit.h"
