Cpu_ControlLocalPlayer()
Setting = 1
