#pragma once
// The channel plans chprog knows: the shipped ones and the user's own (see
// config/InstallLayout.h ChannelPlanFolders), for chprog plans, check and new --plan.

#include "document/ChannelPlan.h"

class QCommandLineParser;

// The plan --plan names, or false with the error printed (the known plans listed).
bool LoadNamedPlan(const QCommandLineParser& parser, ChannelPlan* plan, int* exitCode);
