# What wixl 0.101 cannot write into tarvik.msi, set after it by msibuild:
# one query a line; lines starting with # are comments.
#
# HKMU: HKCU for this user, HKLM with ALLUSERS=1. wixl writes it as root 4,
# which no Windows Installer knows; the Registry table's HKMU is -1.
UPDATE `Registry` SET `Root` = -1 WHERE `Root` = 4
# Tarvik opens .mkr by default only where no program owns it yet, for this
# user or the machine: another program's choice is kept (wixl has no
# Condition inside a Component).
UPDATE `Component` SET `Condition` = '(NOT UserMarkerOwner OR UserMarkerOwner="Tarvik.MarkerFile") AND (NOT MachineMarkerOwner OR MachineMarkerOwner="Tarvik.MarkerFile")' WHERE `Component` = 'MarkerFileDefault'
