#pragma once
// Connects the flow runtime and the command executors to the stage, which
// reaches them through its flow-runtime table. Called once at start-up,
// before any stage is set up.

void InstallCommands();
