#include "params/pending_configuration.h"

PendingConfiguration g_pendingConfig;
