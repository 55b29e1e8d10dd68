#pragma once
// Program start that does not depend on the backend: the five windows, created hidden, in order.
#include "ui/application.h"

void CreateForms(ui::TApplication& application);
