"""The example host's settings of one scan."""


class Config:
    def __init__(self, location, pattern=None, folders=False, recursive=True):
        self.location = location  # the folder to show
        self.pattern = pattern  # a shell wildcard; None: the tree's default
        self.folders = folders  # True: show folders instead of files
        self.recursive = recursive  # False: only the entries directly in location
