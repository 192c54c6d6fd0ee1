Cpu_ControlLocalPlayer()
ok