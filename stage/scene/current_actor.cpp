#include "stage/scene/current_actor.h"

CurrentActor g_CurrentActor;
